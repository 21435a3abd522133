#include "store/rules/BoxTransfer.h"

#include "platform/DurableFile.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace vesk {
namespace {

std::optional<QByteArray> readWhole(const QString &path, QString *error)
{
    QFile file;
    if (!RegularFile::openForReading(file, path)) {
        if (error)
            *error = qt_error_string(errno);
        return std::nullopt;
    }
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return content;
}

} // namespace

bool BoxTransfer::place(Box from, Box to, const QString &fileName, Result &result) const
{
    if (!DurableFile::isPlainName(fileName)) {
        result.error = QStringLiteral("ファイル名が正しくありません");
        return false;
    }
    const std::optional<QByteArray> content = readWhole(m_store.filePath(from, fileName), &result.error);
    if (!content)
        return false;

    result.fileName = fileName;
    const QString target = m_store.filePath(to, fileName);
    if (QFileInfo::exists(target)) {
        if (readWhole(target, nullptr) == content) {
            result.existed = true; // an earlier move got this far
            return true;
        }
        result.fileName = freeName(fileName);
    }
    return m_store.saveContent(to, result.fileName, *content, &result.error);
}

BoxTransfer::Result BoxTransfer::move(Box from, Box to, const QString &fileName) const
{
    Result result;
    if (!place(from, to, fileName, result))
        return result;
    if (!m_store.remove(from, fileName)) {
        // One message in two boxes would reach a mailer twice: take the copy back.
        if (!result.existed)
            m_store.remove(to, result.fileName);
        result.error = QStringLiteral("%1 を削除できません").arg(m_store.filePath(from, fileName));
        return result;
    }
    result.moved = true;
    return result;
}

BoxTransfer::Result BoxTransfer::copy(Box from, Box to, const QString &fileName) const
{
    Result result;
    result.moved = place(from, to, fileName, result);
    return result;
}

QString BoxTransfer::freeName(const QString &fileName) const
{
    // A store name is a 17-digit time stamp, a counter and ".ID": keep the
    // stamp so that the message keeps its place in arrival order.
    QString base = fileName;
    if (base.endsWith(QLatin1String(".ID"), Qt::CaseInsensitive))
        base.chop(3);
    constexpr int StampLength = 17;
    bool stampOnly = base.size() > StampLength;
    for (int i = 0; stampOnly && i < StampLength; ++i)
        stampOnly = base[i] >= u'0' && base[i] <= u'9';
    const QString stamp = stampOnly ? base.left(StampLength) : base;
    return m_store.newFileName(stamp, { Box::InBox, Box::InBox1, Box::InBox2, Box::OutBox });
}

} // namespace vesk
