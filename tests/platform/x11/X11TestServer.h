#pragma once

#include <QString>

namespace vesk::test {

// The private X server the application of these tests runs on (":N").
QString x11Display();
// Why there is none (the tests then skip); empty when there is one.
QString x11Missing();

} // namespace vesk::test
