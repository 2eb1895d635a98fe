#include "tests/e2e/file_checks.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace e2e {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

std::optional<int> pdfPageCount(const QByteArray& pdf) {
    if (!pdf.startsWith("%PDF-")) return std::nullopt;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int count = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

std::optional<QString> toolOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool isBitmapFile(const QByteArray& bytes) {
    return bytes.size() > 54 && bytes.startsWith("BM");
}

QStringList products(const QString& sumOfProducts) {
    return sumOfProducts.split(QLatin1Char('+'), Qt::SkipEmptyParts);
}

QString complementForm(const QStringList& products) {
    QStringList sums;
    for (const QString& product : products) {
        // Each letter complemented: A gives A', A' gives A.
        QStringList letters;
        for (int i = 0; i < product.size(); ++i) {
            const bool primed = i + 1 < product.size() && product[i + 1] == QLatin1Char('\'');
            letters << (primed ? QString(product[i]) : QString(product[i]) + QLatin1Char('\''));
            if (primed) ++i;
        }
        sums << letters.join(QLatin1Char('+'));
    }
    if (sums.size() == 1) return QStringLiteral("(%1)'").arg(sums.front());
    return QStringLiteral("((%1))'").arg(sums.join(QStringLiteral(")(")));
}

}  // namespace e2e
