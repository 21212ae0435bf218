#include "history/replace_step.h"

#include "exchange/project_document.h"
#include "history/document_buffer.h"

namespace {

class TReplaceStep : public TEditStep {
 public:
  TReplaceStep(std::string text, std::vector<std::uint8_t> after) : TEditStep(std::move(text)), FAfter(std::move(after)) {}

  void Redo(TSpriteDocument& document) override {
    if (FBefore.empty()) {
      FBefore = BuildDocumentFile(document);
      FBefore.shrink_to_fit();
    }
    LoadDocumentFile(document, FAfter, DocumentStreamBuffer());
  }

  void Undo(TSpriteDocument& document) override { LoadDocumentFile(document, FBefore, DocumentStreamBuffer()); }

  std::size_t Bytes() const override {
    return sizeof *this + Text().capacity() + FBefore.capacity() + FAfter.capacity();
  }

 private:
  std::vector<std::uint8_t> FAfter;
  std::vector<std::uint8_t> FBefore;
};

}  // namespace

std::unique_ptr<TEditStep> MakeReplaceStep(std::string text, std::vector<std::uint8_t> after) {
  after.shrink_to_fit();
  return std::make_unique<TReplaceStep>(std::move(text), std::move(after));
}
