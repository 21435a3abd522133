// Japanese text speed: JCodeConvert JIS -> Shift_JIS next to glibc iconv
// ISO-2022-JP -> CP932 on the same text, and HeaderRead of a 10,000-message box.
#include "boxes/HeaderRead.h"
#include "store/MessageStore.h"
#include "store/japanese/JCode.h"
#include "store/japanese/JisPairs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <iconv.h>
#include <random>

namespace {

constexpr qsizetype kTextSize = 4 * 1024 * 1024;
constexpr int kBoxMessages = 10000;

// A JIS X 0208 character that every converter knows: kana, punctuation or level-1 kanji.
void appendJisChar(std::mt19937 &rng, QByteArray &out)
{
    const unsigned pick = rng() % 10;
    unsigned c1, c2;
    if (pick < 4) {
        c1 = 0x24; // hiragana
        c2 = 0x21 + rng() % 0x53;
    } else if (pick < 6) {
        c1 = 0x25; // katakana
        c2 = 0x21 + rng() % 0x56;
    } else if (pick < 7) {
        c1 = 0x21; // punctuation
        c2 = 0x22 + rng() % 0x0A;
    } else {
        c1 = 0x30 + rng() % 0x1F; // level-1 kanji, rows 0x30..0x4E
        c2 = 0x21 + rng() % 0x5E;
    }
    out += char(c1);
    out += char(c2);
}

// Mail-like ISO-2022-JP text: mostly Japanese, some ASCII, CR LF lines.
QByteArray makeJisText(qsizetype size)
{
    std::mt19937 rng(20261205);
    QByteArray text;
    text.reserve(size + 256);
    while (text.size() < size) {
        int column = 0;
        while (column < 60) {
            if (rng() % 5 == 0) {
                const int n = 2 + int(rng() % 8);
                for (int i = 0; i < n; ++i)
                    text += char('a' + rng() % 26);
                text += ' ';
                column += n + 1;
            } else {
                text += "\x1b$B";
                const int n = 4 + int(rng() % 16);
                for (int i = 0; i < n; ++i)
                    appendJisChar(rng, text);
                text += "\x1b(B";
                column += 2 * n;
            }
        }
        text += "\r\n";
    }
    return text;
}

const QByteArray &jisText()
{
    static const QByteArray text = makeJisText(kTextSize);
    return text;
}

QByteArray iconvToCp932(iconv_t cd, const QByteArray &in, QByteArray &out)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = size_t(in.size());
    char *outPtr = out.data();
    size_t outLeft = size_t(out.size());
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
        std::fprintf(stderr, "iconv stopped with %zu bytes left\n", inLeft);
    return QByteArray(out.constData(), out.size() - qsizetype(outLeft));
}

void BM_JCodeConvert_JisToSjis(benchmark::State &state)
{
    const QByteArray &text = jisText();
    for (auto _ : state) {
        QByteArray out = vesk::JCodeConvert(text, vesk::JCodeSjis);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_JCodeConvert_JisToSjis)->Unit(benchmark::kMillisecond);

void BM_Iconv_Iso2022jpToCp932(benchmark::State &state)
{
    const QByteArray &text = jisText();
    iconv_t cd = iconv_open("CP932", "ISO-2022-JP");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        state.SkipWithError("no ISO-2022-JP -> CP932 in iconv");
        return;
    }
    QByteArray buffer(text.size(), Qt::Uninitialized);
    // Both must agree on the text, or the race is not fair.
    if (iconvToCp932(cd, text, buffer) != vesk::JCodeConvert(text, vesk::JCodeSjis)) {
        state.SkipWithError("iconv and JCodeConvert disagree on the text");
        iconv_close(cd);
        return;
    }
    for (auto _ : state) {
        QByteArray out = iconvToCp932(cd, text, buffer);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    iconv_close(cd);
}
BENCHMARK(BM_Iconv_Iso2022jpToCp932)->Unit(benchmark::kMillisecond);

void BM_JCodeCheck_Sjis(benchmark::State &state)
{
    // Shift_JIS text made of kana pairs that decide late: the whole walk.
    const QByteArray text = QByteArray(kTextSize / 2, 'a') + vesk::JCodeConvert(jisText(), vesk::JCodeSjis);
    for (auto _ : state)
        benchmark::DoNotOptimize(vesk::JCodeCheck(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_JCodeCheck_Sjis)->Unit(benchmark::kMillisecond);

QByteArray word(const QByteArray &jis)
{
    return "=?ISO-2022-JP?B?" + jis.toBase64() + "?=";
}

// A box of messages of about 3 KB each: a realistic header and a JIS body.
class Box
{
public:
    Box()
        : m_store(m_dir.path())
    {
        QDir().mkpath(m_store.folderPath(vesk::Box::InBox));
        const QByteArray &text = jisText();
        std::mt19937 rng(7);
        for (int i = 0; i < kBoxMessages; ++i) {
            const qsizetype at = qsizetype(rng() % (text.size() / 2)) & ~qsizetype(0xFF);
            const qsizetype from = text.indexOf("\x1b$B", at);
            const QByteArray name = text.mid(from, text.indexOf("\x1b(B", from) + 3 - from);
            QByteArray message;
            for (int r = 0; r < 4; ++r)
                message += "Received: from mx" + QByteArray::number(r)
                    + ".example.jp (mx.example.jp [192.0.2." + QByteArray::number(r)
                    + "])\r\n\tby mail.example.jp with ESMTP id ABCDEF" + QByteArray::number(i)
                    + "\r\n\tfor <you@example.jp>; Sat, 5 Dec 2026 20:33:10 +0900\r\n";
            message += "From: " + word(name) + " <sender" + QByteArray::number(i) + "@example.jp>\r\n";
            message += "To: " + word(name) + " <you@example.jp>\r\n";
            message
                += "Subject: " + word(text.mid(from, 40)) + "\r\n " + word(text.mid(from + 40, 40)) + "\r\n";
            message += "Date: Sat, 5 Dec 2026 20:33:10 +0900\r\nMessage-ID: <" + QByteArray::number(i)
                + "@example.jp>\r\nMIME-Version: 1.0\r\n";
            message += "Content-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: 7bit\r\n";
            message += "X-Mailer: Bench Mailer 1.0\r\n\r\n";
            message += text.mid(at, 2048) + "\r\n";
            QFile file(m_store.filePath(
                vesk::Box::InBox, QStringLiteral("20261205%1%2.ID").arg(i, 9, 10, QLatin1Char('0')).arg(0)));
            if (file.open(QIODevice::WriteOnly))
                file.write(message);
        }
    }
    const vesk::MessageStore &store() const { return m_store; }

private:
    QTemporaryDir m_dir;
    vesk::MessageStore m_store;
};

void BM_HeaderRead_10000(benchmark::State &state)
{
    static Box box;
    for (auto _ : state) {
        const QList<vesk::BoxListRow> rows = vesk::HeaderRead(box.store(), vesk::Box::InBox);
        if (rows.size() != kBoxMessages || rows.front().subject.isEmpty()) {
            state.SkipWithError("the box was not read");
            return;
        }
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * kBoxMessages);
}
BENCHMARK(BM_HeaderRead_10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
