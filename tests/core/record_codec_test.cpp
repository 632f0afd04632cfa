#include <gtest/gtest.h>

#include "core/record_codec.h"

namespace tovel {
namespace {

TEST(RecordCodec, TextFieldsAndIntegers) {
    std::string record(12, 'z');
    PutTextField(record, 0, "Año", 5, ' ');
    EXPECT_EQ(record.substr(0, 6), std::string("\x03"
                                               "A\xf1o  ",
                                               6));  // Windows-1252, blank padded
    EXPECT_EQ(GetTextField(record, 0, 5), "Año");
    PutTextField(record, 0, "abcdefgh", 5, '\0');  // cut to the field
    EXPECT_EQ(GetTextField(record, 0, 5), "abcde");
    record[0] = '\x7f';  // a length beyond the field reads as the field
    EXPECT_EQ(GetTextField(record, 0, 5), "abcde");

    PutLittleEndian(record, 6, 0x0102030405ull, 5);
    EXPECT_EQ(record.substr(6, 5), "\x05\x04\x03\x02\x01");
    EXPECT_EQ(GetLittleEndian(record, 6, 5), 0x0102030405ull);
    EXPECT_EQ(record[11], 'z');  // nothing written beyond the field
}

}  // namespace
}  // namespace tovel
