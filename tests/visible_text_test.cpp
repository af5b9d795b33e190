#include "visible_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(CharacterKind, TellsWhatShowsAtTheEdgesOfEveryRange) {
  const std::pair<unsigned long, CharacterKind> cases[] = {
      // clang-format off
      {0x00, kControlByte}, {0x1F, kControlByte}, {0x20, kShows}, {0x7E, kShows}, {0x7F, kControlByte},
      {0x80, kC1Control}, {0x9F, kC1Control}, {0xA0, kShows}, {0xAC, kShows}, {0xAD, kInvisible}, {0xAE, kShows},
      {0x34F, kInvisible}, {0x61C, kInvisible}, {0x115F, kInvisible}, {0x1160, kInvisible}, {0x17B5, kInvisible},
      {0x180B, kInvisible}, {0x180F, kInvisible}, {0x200A, kShows}, {0x200B, kInvisible}, {0x200C, kShows},
      {0x200D, kShows}, {0x200E, kInvisible}, {0x200F, kInvisible}, {0x2010, kShows}, {0x2029, kShows},
      {0x202A, kBidiControl}, {0x202E, kBidiControl}, {0x202F, kShows}, {0x205F, kShows}, {0x2060, kInvisible},
      {0x2065, kInvisible}, {0x2066, kBidiControl}, {0x2069, kBidiControl}, {0x206A, kInvisible},
      {0x206F, kInvisible}, {0x2070, kShows}, {0x3164, kInvisible}, {0xFDFF, kShows}, {0xFE00, kInvisible},
      {0xFE0F, kInvisible}, {0xFE10, kShows}, {0xFEFF, kInvisible}, {0xFFA0, kInvisible}, {0xFFEF, kShows},
      {0xFFF0, kInvisible}, {0xFFF8, kInvisible}, {0xFFF9, kShows}, {0x1BCA0, kInvisible}, {0x1BCA3, kInvisible},
      {0x1D173, kInvisible}, {0x1D17A, kInvisible}, {0xDFFFF, kShows}, {0xE0000, kInvisible},
      {0xE0FFF, kInvisible}, {0xE1000, kShows},
      // clang-format on
  };
  for (const auto& [code, kind] : cases) EXPECT_EQ(character_kind(code), kind) << std::hex << code;
}

}  // namespace
