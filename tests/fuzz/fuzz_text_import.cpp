// Open Text File's reader. A refused file leaves the document exactly as it was; an accepted
// one gives a sheet that saves and reopens as a document.
#include "fuzz/fuzz_support.h"
#include "sheet/document_file.h"
#include "sheet/text_files.h"

using namespace orvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::PreparedDocument prepared;
  CORVELDoc& doc = prepared.Get();
  const FileOutcome outcome = ParseTextData(fuzz::AsText(data, size), doc);
  if (!outcome.ok) {
    fuzz::Require(prepared.Unchanged(), "a refused text file leaves the document unchanged");
    return 0;
  }
  const std::string saved = SerializeDocument(doc);
  prepared.Changed();
  CORVELDoc reopened(fuzz::PreparedDocument::kRows);
  fuzz::Require(ParseDocument(saved, reopened).ok, "an imported sheet saves and reopens");
  fuzz::Require(SerializeDocument(reopened) == saved, "an imported sheet reopens to the same bytes");
  return 0;
}
