#include "support/TestSupport.h"

#include "core/tree/modTypes.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

namespace testsupport {

QString fixturePath(const QString& name) {
    return QStringLiteral(QF_FIXTURES "/") + name;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QByteArray readFixture(const QString& name) {
    return readFile(fixturePath(name));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

ProgramDir::ProgramDir() {
    QDir d(m_dir.path());
    d.mkdir(QStringLiteral("Data"));
    d.mkdir(QStringLiteral("RSS"));
    d.mkdir(QStringLiteral("Images"));
    modTypes::setProgramDir(m_dir.path());
}

ProgramDir::~ProgramDir() {
    modTypes::setProgramDir(QString());
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    m_old[0] = old.rlim_cur;
    m_old[1] = old.rlim_max;
    rlimit lim = old;
    lim.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &lim);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit old{};
    old.rlim_cur = rlim_t(m_old[0]);
    old.rlim_max = rlim_t(m_old[1]);
    setrlimit(RLIMIT_FSIZE, &old);
}

} // namespace testsupport
