// File filters of the string table turned into Qt's form.
#include <gtest/gtest.h>

#include "app/QtUserPrompt.h"

namespace {

TEST(QtUserPrompt, ConvertFileFilter) {
    EXPECT_EQ(ConvertFileFilter("NC File (*.nc,*.ncd)|*.nc;*.ncd|All files (*.*)|*.*||"),
              "NC File (*.nc *.ncd);;All files (*.*)");
    EXPECT_EQ(ConvertFileFilter("DXF|*.dxf||"), "DXF (*.dxf)");
    EXPECT_EQ(ConvertFileFilter("Text (*.txt)"), "Text (*.txt)");  // already Qt's form
    EXPECT_EQ(ConvertFileFilter("|*.nc||"), "");
}

}  // namespace
