#include "typing/integration/FieldInFlight.hpp"

#include <gtest/gtest.h>

#include <string_view>

namespace zentrel::typing {
namespace {

using Kind = FieldInFlight::Edit::Kind;

TEST(FieldInFlightTest, AKeyAheadOfAnEditIsErasedByItAndAnEditThatNeverArrivesIsGivenUp) {
    FieldInFlight field;
    field.arrived();  // the tap reports arrivals
    (void)field.userKey(U'a');
    (void)field.userKey(U'b');
    field.posted({Kind::erase});
    const auto ahead = field.userKey(U'c');
    ASSERT_TRUE(ahead);
    EXPECT_EQ(ahead->meant, U"ac");
    EXPECT_EQ(ahead->shown, U"ab") << "the erase took the key that reached the window first";
    for (char32_t key : std::u32string_view(U"defghi")) (void)field.userKey(key);
    EXPECT_TRUE(field.userKey(U'j')) << "eight keys after it, the erase may still be on its way";
    EXPECT_FALSE(field.userKey(U'k')) << "a ninth: the erase was never posted, and later keys land after nothing";
}

}  // namespace
}  // namespace zentrel::typing
