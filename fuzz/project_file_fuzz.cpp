// Project-file loader: header checks, payload decoding and spreading into a store. A file that
// loads must save and load again to the same pixels.
#include <cstdint>

#include "fuzz_check.h"
#include "project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TSpriteStore store;
  const TProjectFile file = ParseProjectFile({data, size});
  if (file.Result != TProjectResult::Ok) return 0;
  FUZZ_CHECK(file.PixelStream.size() == std::size_t(PixelStreamSize));
  SpreadPixelStream(store, file.PixelStream, file.Header.PlaneSide, file.Header.FrameCapacity);

  const std::vector<std::uint8_t> saved = BuildProjectFile(store, file.Header);
  const TProjectFile again = ParseProjectFile(saved);
  FUZZ_CHECK(again.Result == TProjectResult::Ok && !again.PreviousVersion);
  // A current file overwrites every pixel, so saving gives its own stream back; an earlier
  // version's stream has another shape and is compared with the store it was spread into.
  if (file.PreviousVersion)
    FUZZ_CHECK(again.PixelStream == BuildPixelStream(store));
  else
    FUZZ_CHECK(again.PixelStream == file.PixelStream);
  return 0;
}
