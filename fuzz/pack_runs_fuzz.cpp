// Run-length round trip: packing never grows the data and unpacking gives the input back.
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "exchange/run_length.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> input(data, data + size);
  std::vector<std::uint8_t> packed(size);
  const int p = PackRuns(packed, input);
  FUZZ_CHECK(p >= 0 && std::size_t(p) <= size);
  if (size == 0) {
    FUZZ_CHECK(p == 0);
    return 0;
  }
  packed.resize(p);
  std::vector<std::uint8_t> output(size);
  FUZZ_CHECK(UnpackRuns(output, packed) == int(size));
  FUZZ_CHECK(output == input);
  return 0;
}
