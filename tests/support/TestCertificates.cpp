#include "support/TestCertificates.h"

#include <QFile>
#include <QProcess>

#include <memory>

namespace vesk::test {
namespace {

// In the order of TestCertificates::Kind.
const char *const Stems[] = { "good", "wronghost", "expired", "selfsigned" };
const QString RightNames = QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1,IP:::1");
const QString EcKey = QStringLiteral("-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes");

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
    return path(QString::fromLatin1(Stems[int(kind)]) + QStringLiteral(".pem"));
}

QString TestCertificates::keyFile(Kind kind) const
{
    return path(QString::fromLatin1(Stems[int(kind)]) + QStringLiteral(".key"));
}

bool TestCertificates::make(QString *error)
{
    // The command's words are separated by single blanks.
    const auto openssl = [&](const QString &command) {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral("openssl"), command.split(u' '));
        if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0)
            return true;
        *error = QStringLiteral("openssl %1: %2")
                     .arg(command, QString::fromLocal8Bit(process.readAllStandardError()));
        return false;
    };
    // Signed by the authority: a request, then the certificate with its names.
    const auto signedCertificate = [&](Kind kind, const QString &names, int days) {
        const QString name = QString::fromLatin1(Stems[int(kind)]);
        QFile extensions(path(name + QStringLiteral(".ext")));
        if (!extensions.open(QIODevice::WriteOnly)
            || extensions.write((names + QStringLiteral("\nbasicConstraints=CA:FALSE\n")).toUtf8()) < 0) {
            *error = QStringLiteral("cannot write ") + extensions.fileName();
            return false;
        }
        extensions.close();
        return openssl(QStringLiteral("req %1 -keyout %2.key -out %2.csr -subj /CN=%2").arg(EcKey, name))
            && openssl(
                QStringLiteral("x509 -req -in %1.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days %2 "
                               "-extfile %1.ext -out %1.pem")
                    .arg(name)
                    .arg(days));
    };
    return m_dir.isValid()
        && openssl(QStringLiteral("req -x509 %1 -keyout ca.key -out ca.pem -days 3 -subj /CN=Vesk-Test-CA")
                       .arg(EcKey))
        && signedCertificate(Kind::Good, RightNames, 3)
        && signedCertificate(Kind::WrongHost, QStringLiteral("subjectAltName=DNS:mail.example.jp"), 3)
        && signedCertificate(Kind::Expired, RightNames, -1)
        && openssl(QStringLiteral(
            "req -x509 %1 -keyout selfsigned.key -out selfsigned.pem -days 3 -subj /CN=localhost "
            "-addext %2")
                       .arg(EcKey, RightNames));
}

} // namespace vesk::test
