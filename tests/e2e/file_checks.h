#pragma once

// What the end-to-end road checks in the files the program writes.

#include <QByteArray>
#include <QString>

#include <optional>

namespace e2e {

QByteArray fileBytes(const QString& path);

// The number of pages of a PDF file: its page objects ("/Type /Page", not
// "/Type /Pages"); nothing when the file is no PDF.
std::optional<int> pdfPageCount(const QByteArray& pdf);

// The standard output of a tool run to its end with exit status 0; nothing
// when it cannot be started or fails.
std::optional<QString> toolOutput(const QString& program, const QStringList& arguments);

// Whether the bytes start like a Windows bitmap file.
bool isBitmapFile(const QByteArray& bytes);

// The sum-of-products text's products, in order ("AB'+C" gives AB', C).
QStringList products(const QString& sumOfProducts);

// The negated product-of-sums text that stands beside a sum of products of
// several products: "((A'+B)(C'))'" for AB'+C.
QString complementForm(const QStringList& products);

}  // namespace e2e
