#include "exchange/project_document.h"

TProjectHeader ProjectHeaderOf(const TDocumentSettings& s) {
  TProjectHeader h;
  h.ByteMode = s.Format.ByteMode;
  h.Order = s.Format.Order;
  h.Masked = s.Format.Masked;
  h.Arrangement = s.Format.Arrangement;
  h.AttrChoice = s.Format.AttrChoice;
  h.Width = s.Width;
  h.Height = s.Height;
  h.FrameCount = s.FrameCount;
  h.CurrentFrame = s.CurrentFrame + 1;
  return h;
}

TDocumentSettings SettingsOf(const TProjectHeader& h) {
  TDocumentSettings s;
  s.Format.ByteMode = h.ByteMode == bmClassic8 ? bmClassic8 : bm6BitReversed;
  s.Format.Order = TDataOrder(h.Order);
  s.Format.Masked = h.Masked;
  s.Format.Arrangement = TMaskArrangement(h.Arrangement);
  s.Format.AttrChoice = h.AttrChoice;
  s.Width = h.Width;
  s.Height = h.Height;
  s.FrameCount = h.FrameCount;
  s.CurrentFrame = h.CurrentFrame - 1;
  return Normalized(s);
}

std::vector<std::uint8_t> BuildDocumentFile(const TSpriteDocument& document) {
  return BuildProjectFile(document.Store, ProjectHeaderOf(document.Settings));
}

TProjectStatus LoadDocumentFile(TSpriteDocument& document, std::span<const std::uint8_t> bytes,
                                std::span<std::uint8_t, PixelStreamSize> stream, bool fresh) {
  const TProjectStatus status = CheckProjectFile(bytes);
  if (status.Result != TProjectResult::Ok) return status;
  DecodePixelStream(bytes, status.Header, stream, fresh);
  SpreadPixelStream(document.Store, stream, status.Header.PlaneSide, status.Header.FrameCapacity, fresh);
  document.Settings = SettingsOf(status.Header);
  return status;
}
