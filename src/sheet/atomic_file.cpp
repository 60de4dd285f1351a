#include "sheet/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

namespace orvel {

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string SystemReason(int err) { return std::strerror(err); }

// Closes a descriptor on every path out of a scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Hands the descriptor over to the caller.
  void Release() { fd_ = -1; }
  // Closes now and reports the error close() gives (a delayed write error shows up here).
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a save replaces: a symbolic link is followed so that the link survives the rename.
std::string SaveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;  // a dangling link is replaced by the file itself
  std::string target(resolved);
  std::free(resolved);
  return target;
}

// A fresh, exclusively created temporary file beside `target`. Created with mode 0666 so the
// process umask applies as for any new file.
int CreateTemporary(const std::string& target, std::string& temp_path, int& err) {
  static std::atomic<unsigned> counter{0};
  const std::string dir = DirectoryOf(target);
  std::string base = FileNameForMessage(target);
  if (base.size() > 100) base.resize(100);  // stay far below the file-name limit
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    temp_path = dir + "/." + base + "." + std::to_string(::getpid()) + "-" +
                std::to_string(counter.fetch_add(1)) + "-" + std::to_string(stamp % 1000000) +
                ".tmp";
    const int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) {
      err = errno;
      return -1;
    }
  }
  err = EEXIST;
  return -1;
}

int WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const std::size_t chunk = left < (std::size_t{1} << 30) ? left : (std::size_t{1} << 30);
    const ssize_t n = ::write(fd, p, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace

std::string FileNameForMessage(const std::string& path) {
  std::string name = path;
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  const std::size_t slash = name.rfind('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

FileOutcome ReadFileBytes(const std::string& path, std::string& bytes,
                          const std::string& too_large_message) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return Failure("Cannot open " + Quoted(path) + ": " + SystemReason(errno) + ".");
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0)
    return Failure("Cannot open " + Quoted(path) + ": " + SystemReason(errno) + ".");
  if (!S_ISREG(st.st_mode)) return Failure("Cannot open " + Quoted(path) + ": it is not a regular file.");
  try {
    bytes.clear();
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
      if (n < 0) {
        if (errno == EINTR) continue;
        return Failure("Cannot read " + Quoted(path) + ": " + SystemReason(errno) + ".");
      }
      if (n == 0) break;
      bytes.append(buffer, static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    bytes.clear();
    bytes.shrink_to_fit();
    return Failure(too_large_message);
  } catch (const std::length_error&) {
    bytes.clear();
    bytes.shrink_to_fit();
    return Failure(too_large_message);
  }
  return {};
}

PiecewiseFile::~PiecewiseFile() {
  if (fd_ >= 0) ::close(fd_);
}

FileOutcome PiecewiseFile::Open(const std::string& path) {
  path_ = path;
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return Failure("Cannot open " + Quoted(path) + ": " + SystemReason(errno) + ".");
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0)
    return Failure("Cannot open " + Quoted(path) + ": " + SystemReason(errno) + ".");
  if (!S_ISREG(st.st_mode)) return Failure("Cannot open " + Quoted(path) + ": it is not a regular file.");
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd.get();
  fd.Release();
  return {};
}

FileOutcome PiecewiseFile::Rewind() {
  if (fd_ < 0) return Failure("Cannot read " + Quoted(path_) + ": " + SystemReason(EBADF) + ".");
  if (::lseek(fd_, 0, SEEK_SET) != 0) return Failure("Cannot read " + Quoted(path_) + ": " + SystemReason(errno) + ".");
  buffer_.resize(std::size_t{1} << 20);
  return {};
}

bool PiecewiseFile::NextPiece(std::string_view& piece, FileOutcome& outcome) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      outcome = Failure("Cannot read " + Quoted(path_) + ": " + SystemReason(errno) + ".");
      return false;
    }
    if (n == 0) return false;
    piece = std::string_view(buffer_.data(), static_cast<std::size_t>(n));
    return true;
  }
}

FileOutcome WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const auto failed = [&path](int err) {
    return Failure("Cannot save " + Quoted(path) + ": " + SystemReason(err) + ".");
  };
  if (path.empty()) return failed(ENOENT);
  const std::string target = SaveTarget(path);

  std::string temp_path;
  int err = 0;
  Descriptor fd(CreateTemporary(target, temp_path, err));
  if (fd.get() < 0) return failed(err);

  const auto discard = [&](int error) {
    ::unlink(temp_path.c_str());
    return failed(error);
  };
  // An existing file keeps its permissions; a new one gets the umask's.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd.get(), old.st_mode & 07777);

  if ((err = WriteAll(fd.get(), bytes)) != 0) return discard(err);
  if (::fsync(fd.get()) != 0) return discard(errno);
  if ((err = fd.Close()) != 0) return discard(err);
  if (::rename(temp_path.c_str(), target.c_str()) != 0) return discard(errno);

  // Make the rename itself durable; a failure here no longer endangers either file.
  Descriptor dir(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return {};
}

}  // namespace orvel
