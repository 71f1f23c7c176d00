#pragma once
// Compares a rendered image pixel by pixel with its reviewed reference.
//
// The references live in GOLDEN_REFERENCES/x<scale>/<name>.png. On a
// mismatch the rendered image and a difference image are saved in
// GOLDEN_OUTPUT, and the failure names both files. With GOLDEN_UPDATE set the
// rendered image becomes the new reference instead.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace golden {

testing::AssertionResult MatchesReference(const QImage& rendered, const QString& name);

}  // namespace golden
