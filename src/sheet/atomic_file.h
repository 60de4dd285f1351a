// Whole-file reads and atomic whole-file writes, the only way the program touches its files.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// What a file command reports back to its caller: on failure, `message` is the text of the
// message box to show (one or two plain sentences naming the file).
struct FileOutcome {
  bool ok = true;
  std::string message;
};

inline FileOutcome Failure(std::string message) { return FileOutcome{false, std::move(message)}; }

// The last component of a path, as file names appear in messages.
std::string FileNameForMessage(const std::string& path);

// Reads the whole regular file at `path` into `bytes`. Devices, pipes and folders are
// refused (they could be endless). When the memory cannot be obtained the outcome says
// `too_large_message`.
FileOutcome ReadFileBytes(const std::string& path, std::string& bytes,
                          const std::string& too_large_message);

// A regular file read piece by piece, for files too large to hold whole beside what is read
// from them. Open refuses what ReadFileBytes refuses, with the same messages; each ReadAll
// reads the file from its start, handing `consume` consecutive pieces of at most 1 MiB.
class PiecewiseFile {
 public:
  PiecewiseFile() = default;
  ~PiecewiseFile();
  PiecewiseFile(const PiecewiseFile&) = delete;
  PiecewiseFile& operator=(const PiecewiseFile&) = delete;

  FileOutcome Open(const std::string& path);
  template <typename Fn>
  FileOutcome ReadAll(Fn&& consume) {
    FileOutcome outcome = Rewind();
    std::string_view piece;
    while (outcome.ok && NextPiece(piece, outcome)) consume(piece);
    return outcome;
  }

 private:
  FileOutcome Rewind();
  // False at the end of the file or on an error (then `outcome` says which).
  bool NextPiece(std::string_view& piece, FileOutcome& outcome);

  std::string path_;
  int fd_ = -1;
  std::string buffer_;
};

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`. On any failure the temporary file is removed and an existing file at `path` is left
// as it was. An existing file keeps its permission bits; a symbolic link is followed, so the
// file it points at is replaced and the link stays (a dangling link is replaced by the file).
// The folder must be writable, since the temporary file is created in it.
FileOutcome WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace orvel
