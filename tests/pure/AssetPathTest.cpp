#include "app/AssetPath.h"

#include <gtest/gtest.h>
#include <string>

using Pellwin::toNativePath;

TEST(AssetPath, GamePathsOpenWithForwardSlashes) {
    EXPECT_EQ(toNativePath("Resourcen\\Lightmap\\lightmap.obj"), "Resourcen/Lightmap/lightmap.obj");
    EXPECT_EQ(toNativePath("Resourcen\\BilderGedreht\\title.png"),
              "Resourcen/BilderGedreht/title.png");
    EXPECT_EQ(toNativePath("Shader\\blur.frag"), "Shader/blur.frag");
}

TEST(AssetPath, OnlyBackslashesChange) {
    EXPECT_EQ(toNativePath(""), "");
    EXPECT_EQ(toNativePath("cube.obj"), "cube.obj");
    EXPECT_EQ(toNativePath("Resourcen/cube.obj"), "Resourcen/cube.obj");
    // Doubled, leading and trailing separators are kept, not collapsed or trimmed.
    EXPECT_EQ(toNativePath("\\Resourcen\\\\cube.obj\\"), "/Resourcen//cube.obj/");
    EXPECT_EQ(toNativePath("\\\\"), "//");
    // Mixed separators, spaces, dots and case survive as written.
    EXPECT_EQ(toNativePath("Resourcen/Lightmap\\ Light Map.OBJ"),
              "Resourcen/Lightmap/ Light Map.OBJ");
    EXPECT_EQ(toNativePath("..\\.\\a"), ".././a");
    // Bytes outside ASCII (the 0xE4 of an ISO 8859-1 umlaut) pass through unchanged.
    EXPECT_EQ(toNativePath("Texturqualit\xE4t\\bild.png"), "Texturqualit\xE4t/bild.png");
    EXPECT_EQ(toNativePath("\xC3\xA4\\\xFF"), "\xC3\xA4/\xFF");
}

TEST(AssetPath, LengthAndEmbeddedZeroBytesAreKept) {
    const std::string withZero("a\\b\0c\\d", 7);
    const std::string native = toNativePath(withZero);
    EXPECT_EQ(native.size(), 7u);
    EXPECT_EQ(native, std::string("a/b\0c/d", 7));
}
