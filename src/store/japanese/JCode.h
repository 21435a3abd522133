#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace vesk {

// What JCodeCheck finds a text to be; also the target codes of JCodeConvert.
enum JCodeKind : int {
    JCodeNone = 0, // nothing decisive: plain ASCII, or too short
    JCodeBinary = 1, // a control byte below 0x08, or 0xFF
    JCodeJis = 2, // ESC $ B seen
    JCodeOldJis = 3, // ESC $ @ seen
    JCodeEuc = 4,
    JCodeSjis = 5,
    JCodeEucOrSjis = 6, // undecided
};

// Guesses the Japanese code of a text from its bytes.
int JCodeCheck(QByteArrayView text);

// Converts a text to the target code (2 JIS, 4 EUC-JP, 5 Shift_JIS). Text whose
// code cannot be decided, or is already the target, comes back unchanged. Never
// fails: bytes that do not fit the detected code are converted by arithmetic.
QByteArray JCodeConvert(QByteArrayView text, int target);

} // namespace vesk
