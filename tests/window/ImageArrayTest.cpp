#include <gtest/gtest.h>

#include "window/ImageArray.h"

using window::Image;
using window::ImageArray;

TEST(ImageArray, HoldsAReferenceToEveryImage) {
    Image* a = new Image(1, 1, 1, false);
    Image* b = new Image(1, 1, 1, false);
    ImageArray* array = new ImageArray();
    EXPECT_TRUE(array->isInstanceOf("ImageArray"));
    EXPECT_TRUE(array->isInstanceOf("ObjectArray"));
    array->append(a);
    array->append(b);
    array->append(nullptr);
    ASSERT_EQ(array->length(), 3);
    EXPECT_EQ(array->get(0), a);
    EXPECT_EQ(array->get(2), nullptr);
    EXPECT_EQ(array->get(3), nullptr);
    EXPECT_EQ(a->refCount(), 2);

    array->set(0, b);  // replacing gives the old image back
    EXPECT_EQ(a->refCount(), 1);
    EXPECT_EQ(b->refCount(), 3);
    array->set(7, a);  // out of range: ignored
    EXPECT_EQ(a->refCount(), 1);

    array->setLength(1);  // drops the second b
    EXPECT_EQ(b->refCount(), 2);
    array->release();  // and the first
    EXPECT_EQ(b->refCount(), 1);
    a->release();
    b->release();
}
