// Whole-file reads and atomic whole-file writes, the only way the program touches its files.
#pragma once

#include <optional>
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

// A save in two steps, so that several files can be written all or none: Stage writes the
// bytes to a temporary file beside the target and flushes it to the disk; Commit renames it
// over the target. Whatever is staged and not committed is removed (Discard or the
// destructor), leaving the target as it was.
//
// Stage refuses, before writing anything, an existing target that is not a regular file after
// links are followed (a device, a pipe, a folder: a rename would replace the device node or
// pipe instead of writing to it) and one that the user may not write, with the system's
// reason. A file without any write permission bit counts as read-only even for the
// superuser, whom the system lets write anything. An existing file keeps its permission bits;
// a symbolic link is followed, so the file it points at is replaced and the link stays (a
// dangling link is replaced by the file). The folder must be writable, since the temporary
// file is created in it.
class StagedFile {
 public:
  StagedFile() = default;
  ~StagedFile() { Discard(); }
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  FileOutcome Stage(const std::string& path, std::string_view bytes);
  FileOutcome Commit();
  void Discard();
  bool staged() const { return !temp_path_.empty(); }

 private:
  std::string path_;       // as the user named it, for messages
  std::string target_;     // the file the rename replaces
  std::string temp_path_;  // empty when nothing is staged
};

// Stage and Commit in one: on any failure an existing file at `path` is left as it was.
FileOutcome WriteFileAtomically(const std::string& path, std::string_view bytes);

// Why a save onto `path` must be refused before anything is written (see StagedFile), or
// nothing when it may go ahead.
std::optional<FileOutcome> CheckSaveTarget(const std::string& path);

}  // namespace orvel
