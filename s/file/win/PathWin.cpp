#include "s/file/win/PathWin.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/text/Utf.h"
#include "s/str/CharCase.h"

namespace s::file::win {

namespace {

std::string native(std::u16string_view path) { return platform::text::fileNameFromUtf16(path); }

bool isSep(char16_t c) { return c == u'/' || c == u'\\'; }

std::size_t lastSep(std::u16string_view path) {
  for (std::size_t i = path.size(); i > 0; --i)
    if (isSep(path[i - 1])) return i - 1;
  return std::u16string_view::npos;
}

}  // namespace

bool PathWin::isAbsolute(std::u16string_view path) {
  if (path.empty()) return false;
  if (path[0] == u'/') return true;
  if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') return true;
  return path.size() >= 3 && path[1] == u':' && isSep(path[2]) &&
         ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
}

std::u16string_view PathWin::fileName(std::u16string_view path) {
  std::size_t sep = lastSep(path);
  return sep == std::u16string_view::npos ? path : path.substr(sep + 1);
}

std::u16string_view PathWin::extension(std::u16string_view path) {
  std::u16string_view name = fileName(path);
  std::size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos || dot == 0) return {};
  return name.substr(dot + 1);
}

bool PathWin::hasExtension(std::u16string_view path, std::u16string_view ext) {
  return str::CharCase::equalIgnoringCase(extension(path), ext);
}

std::u16string_view PathWin::baseName(std::u16string_view path) {
  std::u16string_view name = fileName(path);
  std::u16string_view ext = extension(name);
  return ext.empty() && (name.empty() || name.back() != u'.')
             ? name
             : name.substr(0, name.size() - ext.size() - 1);
}

std::u16string_view PathWin::folder(std::u16string_view path) {
  std::size_t sep = lastSep(path);
  if (sep == std::u16string_view::npos) return {};
  if (sep == 0) return path.substr(0, 1);
  return path.substr(0, sep);
}

std::u16string PathWin::join(std::u16string_view folder, std::u16string_view name) {
  if (isAbsolute(name) || folder.empty()) return std::u16string(name);
  std::u16string out(folder);
  while (!name.empty() && isSep(name.front())) name.remove_prefix(1);
  if (!isSep(out.back())) out.push_back(kSeparator);
  out.append(name);
  return out;
}

std::u16string PathWin::relativeInside(std::u16string_view folder, std::u16string_view path) {
  while (folder.size() > 1 && isSep(folder.back())) folder.remove_suffix(1);
  if (folder.empty() || path.size() <= folder.size()) return {};
  if (path.substr(0, folder.size()) != folder) return {};
  if (folder == u"/") return std::u16string(path.substr(1));
  if (!isSep(path[folder.size()])) return {};
  return std::u16string(path.substr(folder.size() + 1));
}

std::u16string PathWin::fromWindows(std::u16string_view path) {
  std::u16string out(path);
  std::replace(out.begin(), out.end(), u'\\', u'/');
  return out;
}

std::u16string PathWin::normalize(std::u16string_view path) {
  bool absolute = !path.empty() && isSep(path[0]);
  std::vector<std::u16string_view> parts;
  std::size_t i = 0;
  while (i <= path.size()) {
    std::size_t j = i;
    while (j < path.size() && !isSep(path[j])) ++j;
    std::u16string_view part = path.substr(i, j - i);
    if (part == u"..") {
      if (!parts.empty() && parts.back() != u"..")
        parts.pop_back();
      else if (!absolute)
        parts.push_back(part);
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::u16string out;
  if (absolute) out.push_back(kSeparator);
  for (std::size_t k = 0; k < parts.size(); ++k) {
    if (k) out.push_back(kSeparator);
    out.append(parts[k].data(), parts[k].size());
  }
  if (out.empty()) out.push_back(u'.');
  return out;
}

bool PathWin::exists(std::u16string_view path) {
  struct stat st;
  return stat(native(path).c_str(), &st) == 0;
}

bool PathWin::isFile(std::u16string_view path) {
  struct stat st;
  return stat(native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathWin::isFolder(std::u16string_view path) {
  struct stat st;
  return stat(native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathWin::isLink(std::u16string_view path) {
  struct stat st;
  return lstat(native(path).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool PathWin::identity(std::u16string_view path, uint64_t* device, uint64_t* inode) {
  struct stat st;
  if (stat(native(path).c_str(), &st) != 0) return false;
  if (device) *device = static_cast<uint64_t>(st.st_dev);
  if (inode) *inode = static_cast<uint64_t>(st.st_ino);
  return true;
}

int64_t PathWin::fileSize(std::u16string_view path) {
  struct stat st;
  if (stat(native(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool PathWin::createFolders(std::u16string_view path) {
  if (path.empty()) return false;
  if (isFolder(path)) return true;
  std::u16string_view parent = folder(path);
  if (!parent.empty() && parent != path && !createFolders(parent)) return false;
  if (mkdir(native(path).c_str(), 0755) == 0) return true;
  return errno == EEXIST && isFolder(path);
}

bool PathWin::removeFile(std::u16string_view path) { return unlink(native(path).c_str()) == 0; }

std::vector<std::u16string> PathWin::listFolder(std::u16string_view path) {
  std::vector<std::u16string> names;
  DIR* dir = opendir(native(path).c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    names.push_back(platform::text::fileNameToUtf16(name));
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

bool PathWin::moveReplacing(std::u16string_view from, std::u16string_view to) {
  if (rename(native(from).c_str(), native(to).c_str()) != 0) return false;
  std::u16string_view parent = folder(to);
  syncFolder(parent.empty() ? std::u16string_view(u".") : parent);
  return true;
}

bool PathWin::keepCopy(std::u16string_view from, std::u16string_view to) {
  const std::string source = native(from);
  const std::string copy = native(to);
  std::u16string_view parent = folder(to);
  if (linkat(AT_FDCWD, source.c_str(), AT_FDCWD, copy.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    syncFolder(parent.empty() ? std::u16string_view(u".") : parent);
    return true;
  }
  if (errno == EEXIST) return false;
  const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) return false;
  const int out = open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  bool ok = out >= 0;
  char buffer[1 << 16];
  while (ok) {
    const ssize_t got = read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    for (ssize_t done = 0; ok && done < got;) {
      const ssize_t put = write(out, buffer + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      ok = put > 0;
      done += put > 0 ? put : 0;
    }
  }
  if (ok) ok = fsync(out) == 0;
  if (out >= 0 && close(out) != 0) ok = false;
  close(in);
  if (!ok && out >= 0) unlink(copy.c_str());
  if (ok) syncFolder(parent.empty() ? std::u16string_view(u".") : parent);
  return ok;
}

bool PathWin::syncFolder(std::u16string_view path) {
  int fd = open(native(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

std::u16string PathWin::currentFolder() {
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) return u"/";
  return platform::text::fileNameToUtf16(buffer);
}

std::u16string PathWin::absolute(std::u16string_view path) {
  if (isAbsolute(path)) return normalize(path);
  return normalize(join(currentFolder(), path));
}

}  // namespace s::file::win
