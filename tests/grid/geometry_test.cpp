#include <gtest/gtest.h>

#include "grid/point3d.h"
#include "grid/vector3d.h"

namespace fastlic {
namespace {

TEST(Vector3DTest, DividedMultipliesByTheRoundedReciprocal) {
  // 3 / 5 and 3 * (1 / 5) differ in the last bit; the engine depends on the second.
  ASSERT_NE(3.0 / 5.0, 3.0 * (1.0 / 5.0));
  const Vector3D d = divided({3.0, 3.0, 3.0}, 5.0);
  EXPECT_EQ(d.x, 0.6000000000000001);
  EXPECT_EQ(d.y, 0.6000000000000001);
  EXPECT_EQ(d.z, 0.6000000000000001);
}

TEST(Vector3DTest, NormalizedScalesThreeFourToUnitLength) {
  const Vector3D n = normalized({3.0, 4.0, 0.0});
  EXPECT_EQ(n.x, 3.0 * (1.0 / 5.0));
  EXPECT_EQ(n.y, 4.0 * (1.0 / 5.0));
  EXPECT_EQ(n.z, 0.0);
  EXPECT_EQ(length({3.0, 4.0, 0.0}), 5.0);
}

TEST(Vector3DTest, ArithmeticLeavesOperandsAndGivesNewValues) {
  const Vector3D a{1.0, 2.0, 3.0};
  const Vector3D b{0.5, -1.0, 4.0};
  const Vector3D s = sum(a, b);
  EXPECT_EQ(s.x, 1.5);
  EXPECT_EQ(s.y, 1.0);
  EXPECT_EQ(s.z, 7.0);
  const Vector3D k = scaled(a, -2.0);
  EXPECT_EQ(k.x, -2.0);
  EXPECT_EQ(k.y, -4.0);
  EXPECT_EQ(k.z, -6.0);
  EXPECT_EQ(squaredLength(a), 14.0);
  EXPECT_EQ(a.x, 1.0);
}

TEST(Vector3DTest, IsTinyBelowOneInTenToTheTwelfthSquared) {
  struct Case {
    Vector3D v;
    bool tiny;
  };
  const Case cases[] = {
      {{2e-6, 0, 0}, false},  // squared length 4e-12
      {{1e-7, 0, 0}, true},   // squared length 1e-14
      {{0, 0, 0}, true},     {{0, -3e-7, 4e-7}, true}, {{1.0, 0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.v.x << ' ' << c.v.y << ' ' << c.v.z);
    EXPECT_EQ(isTiny(c.v), c.tiny);
  }
}

TEST(Point3DTest, WIsOneExceptThatScalingKeepsIt) {
  EXPECT_EQ(Point3D{}.w, 1.0);
  const Point3D scaledPoint = scaled(Point3D{1, 2, 3, 1}, 2.0);
  EXPECT_EQ(scaledPoint.x, 2.0);
  EXPECT_EQ(scaledPoint.y, 4.0);
  EXPECT_EQ(scaledPoint.z, 6.0);
  EXPECT_EQ(scaledPoint.w, 1.0);
  EXPECT_EQ(scaled(Point3D{1, 2, 3, 7}, 2.0).w, 7.0);
  EXPECT_EQ(added(Point3D{1, 1, 1, 5}, Point3D{2, 2, 2, 9}).w, 1.0);
  EXPECT_EQ(translated(Point3D{1, 1, 1, 5}, Vector3D{1, 2, 3}).w, 1.0);

  Point3D p{1, 2, 3, 4};
  moveBy(p, {0.5, 0.5, 0.5});
  EXPECT_EQ(p.x, 1.5);
  EXPECT_EQ(p.y, 2.5);
  EXPECT_EQ(p.z, 3.5);
  EXPECT_EQ(p.w, 1.0);
}

TEST(Point3DTest, PixelCentreIsHalfACellIn) {
  const Point3D c = pixelCentre(3, 250);
  EXPECT_EQ(c.x, 3.5);
  EXPECT_EQ(c.y, 250.5);
  EXPECT_EQ(c.z, 0.0);
  EXPECT_EQ(c.w, 1.0);
}

}  // namespace
}  // namespace fastlic
