// Writes COUNT device lines crafted against the duplicate table of triple_check: every device's
// fields, each ended by a NUL byte as the table keys them, hash (FNV-1a) to the same slot of its
// 16,384, so that each new device probes past all those before it. scripts/benchmark shows that
// such a file costs no more for being longer.
// Usage: crafted_devices COUNT
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t kPrime = 16777619U;
constexpr std::uint32_t kSlots = 16384;  // the low bits of the hash are the slot

std::uint32_t step(std::uint32_t hash, unsigned char byte) {
  return (hash ^ byte) * kPrime;
}

bool plain(unsigned byte) {
  return byte > ' ' && byte < 0x7F && !std::strchr(",[]\"\\'", static_cast<int>(byte));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) return 2;
  const long count = std::atol(argv[1]);
  // The inverse of the prime modulo 2^32, by Newton's iteration; the slot's bits suffice.
  std::uint32_t inverse = kPrime;
  for (int i = 0; i < 5; ++i) inverse *= 2 - kPrime * inverse;
  const std::uint32_t target = 7;
  // The state that the last two bytes of field 3 must reach before its NUL ends the key.
  const std::uint32_t before_nul = (target * inverse) & (kSlots - 1);
  long written = 0;
  for (long n = 0; written < count; ++n) {
    const std::string head =
        "p" + std::to_string(n) + std::string(1, '\0') + "d" + std::string(1, '\0') + "s";
    std::uint32_t hash = 2166136261U;
    for (const char c : head) hash = step(hash, static_cast<unsigned char>(c));
    for (unsigned first = 0; first < 256; ++first) {
      if (!plain(first)) continue;
      const std::uint32_t after_first = step(hash, static_cast<unsigned char>(first));
      // The second byte b must give ((after_first ^ b) * prime) = before_nul in the slot's bits.
      const std::uint32_t second = ((before_nul * inverse) ^ after_first) & (kSlots - 1);
      if (second > 0xFF || !plain(second)) continue;
      std::printf("[p%ld,d,s%c%c]\n", n, first, second);
      ++written;
      break;
    }
  }
  return 0;
}
