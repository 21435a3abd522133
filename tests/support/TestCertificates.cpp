#include "support/TestCertificates.h"

#include <QFile>
#include <QProcess>

#include <memory>

namespace vesk::test {
namespace {

const char *stem(TestCertificates::Kind kind)
{
    switch (kind) {
    case TestCertificates::Kind::Good:
        return "good";
    case TestCertificates::Kind::WrongHost:
        return "wronghost";
    case TestCertificates::Kind::Expired:
        return "expired";
    case TestCertificates::Kind::SelfSigned:
        return "selfsigned";
    }
    return "good";
}

const QString RightNames = QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1,IP:::1");

} // namespace

const TestCertificates *TestCertificates::get(QString *error)
{
    static std::unique_ptr<TestCertificates> made;
    static QString failure;
    if (!made && failure.isEmpty()) {
        auto certificates = std::make_unique<TestCertificates>();
        if (certificates->make(&failure))
            made = std::move(certificates);
    }
    if (!made && error)
        *error = failure;
    return made.get();
}

QString TestCertificates::certFile(Kind kind) const
{
    return path(QString::fromLatin1(stem(kind)) + QStringLiteral(".pem"));
}

QString TestCertificates::keyFile(Kind kind) const
{
    return path(QString::fromLatin1(stem(kind)) + QStringLiteral(".key"));
}

bool TestCertificates::make(QString *error)
{
    const auto openssl = [&](const QStringList &args) {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral("openssl"), args);
        if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0)
            return true;
        *error = QStringLiteral("openssl %1: %2")
                     .arg(args.join(u' '), QString::fromLocal8Bit(process.readAllStandardError()));
        return false;
    };
    const QStringList ecKey = { QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
        QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes") };
    // Signed by the authority: a request, then the certificate with its names.
    const auto signedCertificate = [&](Kind kind, const QString &names, const QString &days) {
        const QString name = QString::fromLatin1(stem(kind));
        QFile extensions(path(name + QStringLiteral(".ext")));
        if (!extensions.open(QIODevice::WriteOnly)
            || extensions.write((names + QStringLiteral("\nbasicConstraints=CA:FALSE\n")).toUtf8()) < 0) {
            *error = QStringLiteral("cannot write ") + extensions.fileName();
            return false;
        }
        extensions.close();
        return openssl(QStringList { QStringLiteral("req") } + ecKey
                   + QStringList { QStringLiteral("-keyout"), name + QStringLiteral(".key"),
                       QStringLiteral("-out"), name + QStringLiteral(".csr"), QStringLiteral("-subj"),
                       QStringLiteral("/CN=") + name })
            && openssl({ QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                name + QStringLiteral(".csr"), QStringLiteral("-CA"), QStringLiteral("ca.pem"),
                QStringLiteral("-CAkey"), QStringLiteral("ca.key"), QStringLiteral("-CAcreateserial"),
                QStringLiteral("-days"), days, QStringLiteral("-extfile"), name + QStringLiteral(".ext"),
                QStringLiteral("-out"), name + QStringLiteral(".pem") });
    };
    return m_dir.isValid()
        && openssl(QStringList { QStringLiteral("req"), QStringLiteral("-x509") } + ecKey
            + QStringList { QStringLiteral("-keyout"), QStringLiteral("ca.key"), QStringLiteral("-out"),
                QStringLiteral("ca.pem"), QStringLiteral("-days"), QStringLiteral("3"),
                QStringLiteral("-subj"), QStringLiteral("/CN=Vesk Test CA") })
        && signedCertificate(Kind::Good, RightNames, QStringLiteral("3"))
        && signedCertificate(
            Kind::WrongHost, QStringLiteral("subjectAltName=DNS:mail.example.jp"), QStringLiteral("3"))
        && signedCertificate(Kind::Expired, RightNames, QStringLiteral("-1"))
        && openssl(QStringList { QStringLiteral("req"), QStringLiteral("-x509") } + ecKey
            + QStringList { QStringLiteral("-keyout"), QStringLiteral("selfsigned.key"),
                QStringLiteral("-out"), QStringLiteral("selfsigned.pem"), QStringLiteral("-days"),
                QStringLiteral("3"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                QStringLiteral("-addext"), RightNames });
}

} // namespace vesk::test
