#include "platform/shell/MimeDatabase.h"

#include <gio/gio.h>
#include <unistd.h>

#include "platform/shell/Spawn.h"
#include "platform/shell/TextFile.h"
#include "platform/shell/UserFolders.h"

namespace platform::shell {

std::string MimeDatabase::userFolder() { return UserFolders::data() + "/mime"; }

bool MimeDatabase::rebuild(std::string& problem) {
  return Spawn::run({"update-mime-database", userFolder()}, problem);
}

bool MimeDatabase::install(std::string_view name, std::string_view packageXml,
                           std::string& problem) {
  const std::string path = userFolder() + "/packages/" + std::string(name) + ".xml";
  if (TextFile::read(path) == std::string(packageXml)) return true;
  return TextFile::writeWhole(path, packageXml, problem) && rebuild(problem);
}

bool MimeDatabase::remove(std::string_view name, std::string& problem) {
  const std::string path = userFolder() + "/packages/" + std::string(name) + ".xml";
  if (unlink(path.c_str()) != 0) return true;
  return rebuild(problem);
}

std::string MimeDatabase::typeOfFile(const std::string& path) {
  GFile* file = g_file_new_for_path(path.c_str());
  GFileInfo* info = g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                      G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
  std::string type;
  if (info) {
    if (const char* t = g_file_info_get_content_type(info)) type = t;
    g_object_unref(info);
  }
  g_object_unref(file);
  return type;
}

}  // namespace platform::shell
