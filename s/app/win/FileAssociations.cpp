#include "s/app/win/FileAssociations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/shell/DesktopEntry.h"
#include "platform/shell/IconTheme.h"
#include "platform/shell/MimeAppsList.h"
#include "platform/shell/MimeDatabase.h"
#include "platform/shell/Spawn.h"
#include "platform/shell/TextFile.h"
#include "platform/shell/UserFolders.h"
#include "platform/text/Utf.h"
#include "resources/Resource.h"
#include "s/map/IMappedData.h"

namespace s::app::win {

namespace {

using platform::shell::DesktopEntry;
using platform::shell::MimeAppsList;

constexpr const char* kPlayListType = "application/x-sonvia-playlist";
constexpr const char* kMimePackage = "sonvia";

std::string normalized(std::string_view extension) {
  std::string e(extension);
  std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
  return e.empty() || e[0] == '.' ? e : "." + e;
}

std::string_view resource(const char* name) {
  const res::Resource r = res::find(name);
  return r.data ? std::string_view(reinterpret_cast<const char*>(r.data), r.size) : std::string_view();
}

std::map<int, std::string_view> iconPngs() {
  std::map<int, std::string_view> pngs;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    const std::string name = "icons/sonvia-" + std::to_string(size) + ".png";
    if (std::string_view png = resource(name.c_str()); !png.empty()) pngs[size] = png;
  }
  return pngs;
}

// The extension's type, or null with `problem` saying what we do open.
const char* typeOrProblem(std::string_view extension, const char* verb, std::string& problem) {
  const char* type = FileAssociations::mimeTypeOf(extension);
  if (!type)
    problem = std::string("cannot ") + verb + " '" + std::string(extension) + "': only mp3, wav and mpl files";
  return type;
}

bool isOurs(const std::optional<std::string>& value) {
  return value && MimeAppsList::firstId(*value) == DesktopEntry::kId;
}

}  // namespace

FileAssociations::FileAssociations(map::IMappedData& settings, std::string programPath)
    : settings_(settings), programPath_(std::move(programPath)) {}

const std::vector<std::string>& FileAssociations::extensions() {
  static const std::vector<std::string> all = {".mp3", ".wav", ".mpl"};
  return all;
}

const char* FileAssociations::mimeTypeOf(std::string_view extension) {
  const std::string e = normalized(extension);
  if (e == ".mp3") return "audio/mpeg";
  if (e == ".wav") return "audio/x-wav";
  if (e == ".mpl") return kPlayListType;
  return nullptr;
}

bool FileAssociations::isAssociated(std::string_view extension) {
  const char* type = mimeTypeOf(extension);
  if (!type || !isOurs(MimeAppsList::readUserDefault(type))) return false;
  const auto entry = platform::shell::TextFile::read(DesktopEntry::userPath());
  return entry && DesktopEntry::programOf(*entry) == programPath_;
}

std::vector<std::string> FileAssociations::associatedTypes(std::string_view alsoExtension,
                                                           std::string_view butNotExtension) {
  std::vector<std::string> types;
  for (const std::string& e : extensions()) {
    if (e == butNotExtension) continue;
    if (e == alsoExtension || isOurs(MimeAppsList::readUserDefault(mimeTypeOf(e))))
      types.push_back(mimeTypeOf(e));
  }
  return types;
}

bool FileAssociations::writeDesktopEntry(const std::vector<std::string>& types,
                                         std::string& problem) {
  const std::string path = DesktopEntry::userPath();
  if (types.empty()) {
    unlink(path.c_str());
    platform::shell::IconTheme::remove(DesktopEntry::kIconName, iconPngs());
    return refreshDesktopDatabase(problem);
  }
  const std::string text = DesktopEntry::text(programPath_, types);
  if (text.empty()) {
    problem = "the program's path cannot be named in a desktop entry: " + programPath_;
    return false;
  }
  return platform::shell::IconTheme::install(DesktopEntry::kIconName, resource("icons/sonvia.svg"),
                                             iconPngs(), problem) &&
         platform::shell::TextFile::writeWhole(path, text, problem) &&
         refreshDesktopDatabase(problem);
}

// Desktops that keep a cache of which program opens what in the user's folder read it instead
// of the entries; where there is one it has to follow our change. Where there is none, the
// entries are read directly and none is made.
bool FileAssociations::refreshDesktopDatabase(std::string& problem) {
  const std::string folder = platform::shell::UserFolders::data() + "/applications";
  struct stat st;
  if (stat((folder + "/mimeinfo.cache").c_str(), &st) != 0 ||
      !platform::shell::Spawn::available("update-desktop-database"))
    return true;
  return platform::shell::Spawn::run({"update-desktop-database", folder}, problem);
}

bool FileAssociations::associate(std::string_view extension, std::string& problem) {
  const std::string e = normalized(extension);
  const char* type = typeOrProblem(extension, "associate", problem);
  if (!type) return false;
  if (e == ".mpl" &&
      !platform::shell::MimeDatabase::install(kMimePackage, resource("desktop/sonvia-mime.xml"), problem))
    return false;
  if (!writeDesktopEntry(associatedTypes(e, ""), problem)) return false;
  const std::optional<std::string> old = MimeAppsList::readUserDefault(type);
  const std::u16string name = platform::text::utf8ToUtf16(e);
  // A default of another program is what deassociating gives back; our own is not.
  if (!isOurs(old)) {
    const std::u16string previous = platform::text::fileNameToUtf16(old.value_or(""));
    settings_.setString(kBackupSection, name.c_str(), previous.c_str());
  }
  return MimeAppsList::setUserDefault(type, std::string(DesktopEntry::kId) + ";", problem);
}

bool FileAssociations::deassociate(std::string_view extension, std::string& problem) {
  const std::string e = normalized(extension);
  const char* type = typeOrProblem(extension, "deassociate", problem);
  if (!type) return false;
  const std::u16string name = platform::text::utf8ToUtf16(e);
  bool ok = true;
  if (isOurs(MimeAppsList::readUserDefault(type))) {
    std::optional<std::string> previous;
    if (settings_.hasValue(kBackupSection, name.c_str())) {
      const std::string stored =
          platform::text::fileNameFromUtf16(settings_.getString(kBackupSection, name.c_str(), u""));
      if (!stored.empty()) previous = stored;
    }
    ok = MimeAppsList::setUserDefault(type, previous, problem);
  }
  // Kept after a foreign default replaced ours, it would later undo that user's choice.
  if (ok) settings_.removeValue(kBackupSection, name.c_str());
  ok = ok && writeDesktopEntry(associatedTypes("", e), problem);
  if (ok && e == ".mpl" && !MimeAppsList::readUserDefault(type))
    ok = platform::shell::MimeDatabase::remove(kMimePackage, problem);
  return ok;
}

}  // namespace s::app::win
