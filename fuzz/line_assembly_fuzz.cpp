// Feeds a byte stream to the line assembly whole and in arbitrary chunkings:
// the judged lines, data blocks and the unfinished rest must come out the
// same every time, and with small limits the unfinished bytes stay bounded.
#include "net/LineAssembler.h"

#include <QByteArrayList>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// A protocol judge in miniature: "DATA" starts data mode, a "." line inside
// a data block ends it and the rest of that block is read as commands again.
struct Transcript
{
    QByteArrayList entries;
    bool dataMode = false;

    void command(const QByteArray &line)
    {
        entries << "L:" + line;
        if (line == "DATA")
            dataMode = true;
    }
    // A data block split at CR LF only (a lone LF stays inside its line).
    void data(const QByteArray &block)
    {
        for (qsizetype start = 0;;) {
            const qsizetype end = block.indexOf("\r\n", start);
            const QByteArray piece = block.mid(start, end < 0 ? -1 : end - start);
            if (!dataMode)
                command(piece);
            else
                entries << "D:" + piece;
            dataMode = dataMode && piece != ".";
            if (end < 0)
                return;
            start = end + 2;
        }
    }
};

struct Outcome
{
    QByteArrayList entries;
    QByteArray pending;
};

Outcome run(const QByteArray &stream, const std::vector<qsizetype> &cuts)
{
    Transcript transcript;
    vesk::LineAssembler assembler;
    assembler.setDataMode([&] { return transcript.dataMode; });
    assembler.setJudge([&](const QByteArray &text) {
        if (transcript.dataMode)
            transcript.data(text);
        else
            transcript.command(text);
    });
    qsizetype start = 0;
    for (qsizetype cut : cuts) {
        if (!assembler.feed(stream.mid(start, cut - start)))
            std::abort();
        start = cut;
    }
    if (!assembler.feed(stream.mid(start)))
        std::abort();
    return Outcome { transcript.entries, assembler.pending() };
}

void checkBounded(const QByteArray &stream, const std::vector<qsizetype> &cuts)
{
    constexpr qsizetype kLine = 16;
    constexpr qsizetype kDataLine = 40;
    bool dataMode = false;
    vesk::LineAssembler assembler(kLine, kDataLine);
    int overflows = 0;
    assembler.setOverflowHandler([&] { ++overflows; });
    assembler.setDataMode([&] { return dataMode; });
    assembler.setJudge([&](const QByteArray &text) {
        if (text.startsWith("DATA"))
            dataMode = true;
        else if (text.endsWith("."))
            dataMode = false;
    });
    qsizetype start = 0;
    std::vector<qsizetype> all = cuts;
    all.push_back(stream.size());
    for (qsizetype cut : all) {
        const int before = overflows;
        const bool accepted = assembler.feed(stream.mid(start, cut - start));
        if (accepted != (overflows == before))
            std::abort();
        if (assembler.pending().size() > kDataLine)
            std::abort();
        if (assembler.pending().contains("\r\n"))
            std::abort();
        start = cut;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes choose the chunking, the rest is the stream.
    uint32_t state = (uint32_t(data[0]) << 8 | data[1]) * 2654435761u + 1u;
    const QByteArray stream(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    std::vector<qsizetype> random;
    std::vector<qsizetype> bytewise;
    for (qsizetype at = 0; at < stream.size();) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        at += 1 + qsizetype(state % 9);
        if (at < stream.size())
            random.push_back(at);
    }
    for (qsizetype at = 1; at < stream.size(); ++at)
        bytewise.push_back(at);

    const Outcome whole = run(stream, {});
    const Outcome chunked = run(stream, random);
    const Outcome single = run(stream, bytewise);
    if (chunked.entries != whole.entries || chunked.pending != whole.pending)
        std::abort();
    if (single.entries != whole.entries || single.pending != whole.pending)
        std::abort();
    checkBounded(stream, random);
    return 0;
}
