#pragma once

#include <QString>
#include <QTemporaryDir>

namespace vesk::test {

// A certificate authority of the tests' own and server certificates, made
// with openssl when first asked for and kept for the test program's run.
class TestCertificates final
{
public:
    enum class Kind {
        // Signed by the authority for localhost, 127.0.0.1 and ::1.
        Good,
        // Signed by the authority for mail.example.jp only.
        WrongHost,
        // As Good, but its time ran out.
        Expired,
        // For the right names, but signed by itself.
        SelfSigned,
    };

    // The certificates, made on the first call; null (with the reason in
    // `error`) when openssl failed.
    static const TestCertificates *get(QString *error = nullptr);

    QString caFile() const { return path(QStringLiteral("ca.pem")); }
    QString certFile(Kind kind) const;
    QString keyFile(Kind kind) const;

private:
    bool make(QString *error);
    QString path(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }

    QTemporaryDir m_dir;
};

} // namespace vesk::test
