// The document reader. A refused file leaves the document exactly as it was; an accepted one
// saves, reopens and saves again to the same bytes.
#include "fuzz/fuzz_support.h"
#include "sheet/document_file.h"

using namespace orvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A short sheet keeps every run quick; files with more rows take the too-many-rows path.
  static fuzz::PreparedDocument prepared;
  CORVELDoc& doc = prepared.Get();
  const FileOutcome outcome = ParseDocument(fuzz::AsText(data, size), doc);
  if (!outcome.ok) {
    fuzz::Require(!outcome.message.empty(), "a refusal says why");
    fuzz::Require(prepared.Unchanged(), "a refused file leaves the document unchanged");
    return 0;
  }
  fuzz::Require(!doc.IsModified(), "an opened document is not modified");
  const std::string saved = SerializeDocument(doc);
  prepared.Changed();
  CORVELDoc reopened(fuzz::PreparedDocument::kRows);
  fuzz::Require(ParseDocument(saved, reopened).ok, "a saved document reopens");
  fuzz::Require(SerializeDocument(reopened) == saved, "a reopened document saves to the same bytes");
  return 0;
}
