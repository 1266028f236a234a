// The MD5 digest against RFC 1321's test suite, around the padding boundaries, and for the
// name of the single-instance mutex.
#include "brunmark/Md5.h"

#include <gtest/gtest.h>

#include <string>

namespace vtl {
namespace {

TEST(Md5, Rfc1321TestSuite) {
    EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Md5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(Md5Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(Md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(Md5Hex("1234567890123456789012345678901234567890"
                     "1234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, LengthsAroundThePaddingBoundaries) {
    // 55 bytes still fit the length into the last block; 56 need one more block.
    const struct {
        size_t length;
        const char* digest;
    } cases[] = {
        {55, "04364420e25c512fd958a70738aa8f72"},  {56, "668a72d5ba17f08e62dabcafad6db14b"},
        {57, "693037871c4a9d3d8685018905cb530a"},  {63, "7dc2ca208106a2f703567bdff99d8981"},
        {64, "c1bb4f81d892b2d57947682aeb252456"},  {65, "1bc932052302d074bdec39795fe00cf6"},
        {119, "ab347a5f68c8a443cfcddc633f12c24f"}, {120, "fb98667f98096de92620b64f46e1c5b5"},
        {128, "d69cb61a6ee87200676eb0d4b90edbcb"}};
    for (const auto& c : cases)
        EXPECT_EQ(Md5Hex(std::string(c.length, 'x')), c.digest) << c.length << " bytes";
    EXPECT_EQ(Md5Hex(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Md5, EveryByteValueCountsAsUnsignedAndNulIsData) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    EXPECT_EQ(Md5Hex(all), "e2c865db4162bed963bfaa9ef6ac18f0");
    EXPECT_EQ(Md5Hex(std::string("a\0b", 3)), "70350f6027bce3713f6b76473084309b");
}

TEST(Md5, DigestBytesInOrderAndTheMutexName) {
    const Md5Digest d = Md5("abc");
    EXPECT_EQ(d[0], 0x90);
    EXPECT_EQ(d[1], 0x01);
    EXPECT_EQ(d[15], 0x72);
    // Lower-case hexadecimal, 32 characters: the single-instance mutex is named by it.
    EXPECT_EQ(Md5Hex("Vantrel"), "933fdbc7bfd91faa212aee69854f7a91");
    EXPECT_NE(Md5Hex("vantrel"), Md5Hex("Vantrel"));
}

} // namespace
} // namespace vtl
