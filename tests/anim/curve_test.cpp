#include "anim/curve.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(EvaluateCurve, DiagonalCurvesReturnXUnchanged) {
  for (InterpolationCurve curve : {InterpolationCurve{20, 20, 107, 107}, InterpolationCurve{0, 0, 127, 127},
                                   InterpolationCurve{90, 90, 10, 10}}) {
    for (float x : {0.0f, 0.3f, 0.123456f, 1.0f}) {
      EXPECT_EQ(evaluateCurve(curve, x), x);
    }
  }
}

TEST(EvaluateCurve, BisectionReproducesStoredEasing) {
  InterpolationCurve easeInOut{64, 0, 64, 127};
  EXPECT_FLOAT_EQ(evaluateCurve(easeInOut, 0.5f), 0.4941407f);
  EXPECT_FLOAT_EQ(evaluateCurve(easeInOut, 0.25f), 0.1032511f);
  EXPECT_FLOAT_EQ(evaluateCurve({40, 40, 64, 127}, 0.5f), 0.7088726f);
}

// The bisection stops one step short of the ends, so a curve never quite reaches 0 or 1.
TEST(EvaluateCurve, EndsStopOneStepInside) {
  InterpolationCurve easeInOut{64, 0, 64, 127};
  float atStart = evaluateCurve(easeInOut, 0.0f);
  float atEnd = evaluateCurve(easeInOut, 1.0f);
  EXPECT_NEAR(atStart, 4.56572e-5f, 5e-11);  // Y(1/256)
  EXPECT_FLOAT_EQ(atEnd, 0.9999543f);
  EXPECT_GT(atStart, 0.0f);
  EXPECT_LT(atEnd, 1.0f);
}

}  // namespace
}  // namespace zv
