#include "ui/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace tessarin {
namespace {

Status ErrnoFailure(int error) { return Status::Failure(std::strerror(error)); }

// Writes all of `bytes` to `fd`, retrying short writes.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

Status WriteInPlace(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return ErrnoFailure(errno);
  int error = WriteAll(fd, bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  return error == 0 ? Status::Ok() : ErrnoFailure(error);
}

// The file that writing `path` creates, when nothing exists there yet:
// `path` itself, or, when it is a link to nothing (perhaps through further
// links), the name the last link points to, so that the links stay links.
// A link that names a closed descriptor, such as /dev/stdout with standard
// output closed, leads into /proc, where no file can be created.
std::filesystem::path NewFileTarget(const std::filesystem::path& path, std::error_code& error) {
  constexpr int kMostLinks = 40;  // as the system itself follows
  std::filesystem::path current = path;
  for (int followed = 0; followed < kMostLinks; ++followed) {
    if (!std::filesystem::is_symlink(current, error)) {
      if (error == std::errc::no_such_file_or_directory) error.clear();
      return current;
    }
    const std::filesystem::path next = std::filesystem::read_symlink(current, error);
    if (error) return {};
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return {};
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

Result<std::string> ReadFileStart(const std::filesystem::path& path, size_t max_bytes,
                                  const std::function<bool(std::string_view)>& enough) {
  if (path.empty()) return ErrnoFailure(ENOENT);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErrnoFailure(errno);
  struct stat info {};
  const bool known_size = ::fstat(fd, &info) == 0;
  if (known_size && S_ISDIR(info.st_mode)) {
    ::close(fd);
    return ErrnoFailure(EISDIR);
  }
  // At most one byte past the limit is read: enough to tell that the file
  // goes beyond it, however long (/dev/zero) it is.
  const size_t limit = max_bytes + 1;
  std::string bytes;
  if (known_size && S_ISREG(info.st_mode)) {
    bytes.reserve(std::min(static_cast<size_t>(info.st_size), limit));
  }
  char buffer[65536];
  while (bytes.size() < limit) {
    const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int code = errno;
      ::close(fd);
      return ErrnoFailure(code);
    }
    const std::string_view piece(buffer, static_cast<size_t>(got));
    bytes.append(piece);
    if (enough && enough(piece)) break;
  }
  ::close(fd);
  return bytes;
}

Result<std::string> ReadFileBytes(const std::filesystem::path& path) {
  Result<std::string> bytes = ReadFileStart(path, kMaxInputBytes, {});
  if (bytes.ok() && bytes->size() > kMaxInputBytes) return ErrnoFailure(EFBIG);
  return bytes;
}

bool IsSameRegularFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat first {};
  struct stat second {};
  return !a.empty() && !b.empty() && ::stat(a.c_str(), &first) == 0 &&
         ::stat(b.c_str(), &second) == 0 && S_ISREG(first.st_mode) &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::optional<std::string> BaseName(std::string_view file_title) {
  if (file_title.empty()) return std::nullopt;
  const size_t dot = file_title.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::string(file_title);
  return std::string(file_title.substr(0, dot));
}

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  if (path.empty() || !path.has_filename()) return Status::Failure("not a file name");

  // stat follows links: a device or a pipe, also behind a link such as
  // /dev/stdout, is written in place.
  struct stat existing {};
  mode_t mode = NewFileMode();
  std::filesystem::path target;
  std::error_code error;
  if (::stat(path.c_str(), &existing) == 0) {
    if (!S_ISREG(existing.st_mode)) return WriteInPlace(path, bytes);
    mode = existing.st_mode & 07777;
    // The file itself is replaced, wherever its links lead, never a link.
    target = std::filesystem::canonical(path, error);
  } else if (errno == ENOENT) {
    target = NewFileTarget(path, error);
  } else {
    return ErrnoFailure(errno);
  }
  if (error) return Status::Failure(error.message());

  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string temp_name = ".";
  temp_name += target.filename().string();
  temp_name += ".XXXXXX";
  std::string temp = (folder / temp_name).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return ErrnoFailure(errno);

  int failure = WriteAll(fd, bytes);
  if (failure == 0 && ::fchmod(fd, mode) != 0) failure = errno;
  if (failure == 0 && ::fsync(fd) != 0) failure = errno;
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && ::rename(temp.c_str(), target.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temp.c_str());
    return ErrnoFailure(failure);
  }
  return Status::Ok();
}

}  // namespace tessarin
