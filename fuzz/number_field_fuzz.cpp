// Number fields: any result other than -1 reads back the same from its decimal form.
#include <cstdint>
#include <string>
#include <string_view>

#include "clipboard_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view field(reinterpret_cast<const char*>(data), size);
  const std::int32_t v = ParseNumberField(field);
  if (v != -1) FUZZ_CHECK(ParseNumberField(std::to_string(v)) == v);
  return 0;
}
