#include "field_set.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

using enum FieldId;

TEST(FieldSet, ChangeNotificationRunsOnlyOnARealChangeAndNests)
{
    FieldSet fields;
    std::vector<std::string> seen;
    fields.field(width).onChange([&] {
        seen.push_back("12:" + fields.text(width));
        fields.setText(height, fields.text(width) + "!");
    });
    fields.field(height).onChange([&] { seen.push_back("14:" + fields.text(height)); });

    fields.setText(width, "320"); // same value: nothing runs
    EXPECT_TRUE(seen.empty());
    fields.setText(width, "640");
    // The nested handler finished before the outer setter returned.
    EXPECT_EQ(seen, (std::vector<std::string>{"12:640", "14:640!"}));
}

TEST(FieldSet, WatchersSeeTheValueAfterTheHandler)
{
    Field field("a");
    field.onChange([&] { field.setText("fixed"); });
    std::vector<std::string> seen;
    field.watch([&] { seen.push_back(field.text()); });
    field.setText("typed");
    EXPECT_EQ(field.text(), "fixed");
    EXPECT_EQ(seen, std::vector<std::string>(seen.size(), "fixed"));
    EXPECT_FALSE(seen.empty());
}

} // namespace
} // namespace popolun
