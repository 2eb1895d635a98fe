#include "practice/worksheet.h"

#include <QDate>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <chrono>
#include <functional>
#include <stdexcept>

#include <sys/stat.h>

#include "explain/karnaugh_map.h"
#include "logic/expression_text.h"
#include "minimizer/exchange.h"
#include "practice/judging.h"

namespace quendal::practice {

namespace {

std::string rowsJson(const logic::RowSet& rows) {
    std::string text = "[";
    rows.forEach([&](int r) { text += (text.size() > 1 ? ", " : "") + std::to_string(r); });
    return text + "]";
}

std::string rowsText(const logic::RowSet& rows) {
    std::string text;
    rows.forEach([&](int r) { text += (text.empty() ? "" : ", ") + std::to_string(r); });
    return text.empty() ? "none" : text;
}

std::string functionText(const Exercise& e) {
    const std::string letters(
        logic::kDefaultLetters.substr(0, static_cast<std::size_t>(e.function.width)));
    std::string args;
    for (char c : letters) args += std::string(args.empty() ? "" : ",") + c;
    std::string text = "Y(" + args + ") = \u03a3m(" + rowsText(e.function.on) + ")";
    if (!e.function.dc.empty()) text += " + d(" + rowsText(e.function.dc) + ")";
    return text;
}

// A regular file, a link to one, or nothing yet: what the replacing writer may replace.
void checkTarget(const std::string& path) {
    const std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return;
    if (S_ISLNK(info.st_mode) && ::stat(path.c_str(), &info) != 0) return;
    if (!S_ISREG(info.st_mode))
        throw std::runtime_error(
            "Cannot write " + name + ": " +
            (S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file") + ".");
}

void replaceFile(const std::string& path, const std::function<bool(QIODevice&)>& write) {
    checkTarget(path);
    const QString target = QString::fromStdString(path);
    const std::string name = QFileInfo(target).fileName().toStdString();
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("Cannot write " + name + ": " + file.errorString().toStdString() +
                                 ".");
    if (!write(file) || !file.commit())
        throw std::runtime_error("Cannot write " + name + ": " +
                                 (file.errorString().isEmpty() ? std::string("the write failed")
                                                               : file.errorString().toStdString()) +
                                 ".");
}

// Pages of text and frames, laid out top to bottom in points on A4.
class Sheet {
public:
    explicit Sheet(QPdfWriter& writer) : writer_(writer), painter_(&writer) {
        painter_.setWindow(0, 0, kWidth, kHeight);
        painter_.setViewport(0, 0, writer.width(), writer.height());
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        painter_.setFont(font);
    }
    bool ok() const { return painter_.isActive(); }
    // Starts a new page unless `height` more fits on this one.
    void room(int height) {
        if (y_ + height <= kHeight - kMargin) return;
        writer_.newPage();
        y_ = kMargin;
    }
    void text(const QString& line, int size = 11, bool bold = false) {
        QFont font = painter_.font();
        font.setPixelSize(size);
        font.setBold(bold);
        painter_.setFont(font);
        const QRect box(kMargin, y_, kWidth - 2 * kMargin, 2000);
        const QRect used = painter_.boundingRect(box, Qt::TextWordWrap, line);
        room(used.height());
        painter_.drawText(QRect(kMargin, y_, kWidth - 2 * kMargin, used.height()), Qt::TextWordWrap,
                          line);
        y_ += used.height() + 4;
    }
    void gap(int points) { y_ += points; }
    QPainter& painter() { return painter_; }
    int& y() { return y_; }

    static constexpr int kWidth = 595, kHeight = 842, kMargin = 48;

private:
    QPdfWriter& writer_;
    QPainter painter_;
    int y_ = kMargin;
};

QString bits(int code, int count) {
    QString text;
    for (int bit = count - 1; bit >= 0; --bit) text += ((code >> bit) & 1) ? u'1' : u'0';
    return text;
}

// A blank map: the Gray-code labels and empty cells for the student to fill.
void blankMap(Sheet& sheet, int width) {
    const explain::KarnaughLayout layout = explain::karnaughLayout(width);
    const std::string letters(logic::kDefaultLetters.substr(0, static_cast<std::size_t>(width)));
    const int cell = 26, label = 34, gapBetween = 20;
    const int mapsPerRow = std::min(layout.maps(), 2);
    const int mapWidth = label + layout.cols() * cell;
    const int mapHeight = 16 + 14 + layout.rows() * cell;
    const int rowsOfMaps = (layout.maps() + mapsPerRow - 1) / mapsPerRow;
    sheet.room(rowsOfMaps * (mapHeight + gapBetween));
    QPainter& p = sheet.painter();
    QFont font = p.font();
    font.setPixelSize(8);
    font.setBold(false);
    p.setFont(font);
    const QString mapLetters = QString::fromStdString(letters.substr(0, layout.mapBits));
    const QString rowLetters =
        QString::fromStdString(letters.substr(layout.mapBits, layout.rowBits));
    const QString colLetters =
        QString::fromStdString(letters.substr(layout.mapBits + layout.rowBits));
    for (int map = 0; map < layout.maps(); ++map) {
        const int left = Sheet::kMargin + (map % mapsPerRow) * (mapWidth + 2 * gapBetween);
        const int top = sheet.y() + (map / mapsPerRow) * (mapHeight + gapBetween);
        const int gridLeft = left + label, gridTop = top + 30;
        if (layout.mapBits > 0)
            p.drawText(
                gridLeft, top + 10,
                mapLetters + QStringLiteral(" = ") + bits(explain::grayCode(map), layout.mapBits));
        p.drawText(left, top + 26, rowLetters + u'\\' + colLetters);
        for (int col = 0; col < layout.cols(); ++col)
            p.drawText(gridLeft + col * cell + 6, top + 26,
                       bits(explain::grayCode(col), layout.colBits));
        for (int row = 0; row < layout.rows(); ++row) {
            if (layout.rowBits > 0)
                p.drawText(left + 8, gridTop + row * cell + 16,
                           bits(explain::grayCode(row), layout.rowBits));
            for (int col = 0; col < layout.cols(); ++col)
                p.drawRect(gridLeft + col * cell, gridTop + row * cell, cell, cell);
        }
    }
    sheet.y() += rowsOfMaps * (mapHeight + gapBetween);
}

// A blank combining table: one column per number of free positions, rows to write cubes in.
void blankTable(Sheet& sheet, int width) {
    const int columns = width + 1, rowHeight = 16, rows = 10;
    const int columnWidth = (Sheet::kWidth - 2 * Sheet::kMargin) / columns;
    sheet.room(18 + rows * rowHeight);
    QPainter& p = sheet.painter();
    QFont font = p.font();
    font.setPixelSize(8);
    font.setBold(false);
    p.setFont(font);
    const int top = sheet.y();
    for (int c = 0; c < columns; ++c) {
        const int left = Sheet::kMargin + c * columnWidth;
        p.drawText(left + 4, top + 10, QStringLiteral("%1 free").arg(c));
        p.drawRect(left, top + 14, columnWidth, rows * rowHeight);
        for (int r = 1; r < rows; ++r)
            p.drawLine(left, top + 14 + r * rowHeight, left + columnWidth,
                       top + 14 + r * rowHeight);
    }
    sheet.y() += 18 + rows * rowHeight + 8;
}

void writePdf(const std::string& path, const std::function<void(Sheet&)>& content) {
    replaceFile(path, [&](QIODevice& device) {
        QPdfWriter writer(&device);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Quendal"));
        Sheet sheet(writer);
        if (!sheet.ok()) return false;
        content(sheet);
        return true;
    });
}

}  // namespace

std::vector<Exercise> worksheetExercises(int count, int level, int width, bool dontCares,
                                         std::uint32_t first) {
    std::vector<Exercise> exercises;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t seed =
            (first + static_cast<std::uint32_t>(i)) % ExerciseRequest::kSeedLimit;
        exercises.push_back(generateExercise({level, width, dontCares, seed}));
    }
    return exercises;
}

std::string exercisesJson(const std::vector<Exercise>& exercises) {
    std::string out = "{\n  \"exercises\": [";
    for (std::size_t i = 0; i < exercises.size(); ++i) {
        const Exercise& e = exercises[i];
        out += std::string(i > 0 ? "," : "") + "\n    {\"code\": \"" + e.code +
               "\", \"variables\": " + std::to_string(e.function.width) +
               ", \"ones\": " + rowsJson(e.function.on) +
               ", \"dontCares\": " + rowsJson(e.function.dc) +
               ", \"level\": " + std::to_string(e.request.level) + "}";
    }
    return out + (exercises.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

void writeTextFile(const std::string& path, const std::string& text) {
    replaceFile(path, [&](QIODevice& device) {
        return device.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size());
    });
}

void writeWorksheetPdf(const std::string& path, const std::vector<Exercise>& exercises,
                       const WorksheetOptions& options) {
    writePdf(path, [&](Sheet& sheet) {
        sheet.text(QString::fromStdString(options.title), 16, true);
        sheet.text(QStringLiteral("Name: ______________________________     Date: ______________"));
        sheet.gap(8);
        for (std::size_t i = 0; i < exercises.size(); ++i) {
            const Exercise& e = exercises[i];
            sheet.room(120);
            sheet.text(
                QStringLiteral("%1. Exercise %2").arg(i + 1).arg(QString::fromStdString(e.code)),
                12, true);
            sheet.text(QString::fromStdString(functionText(e)));
            sheet.text(
                QStringLiteral("Find a minimum sum of products and a minimum product of sums."));
            if (options.blankMaps)
                blankMap(sheet, e.function.width);
            else
                blankTable(sheet, e.function.width);
            sheet.text(QStringLiteral("Y = ________________________________________________"));
            sheet.gap(12);
        }
    });
}

void writeAnswerKeyPdf(const std::string& path, const std::vector<Exercise>& exercises,
                       const WorksheetOptions& options) {
    std::vector<qm::Explanation> explained;
    for (const Exercise& e : exercises) explained.push_back(qm::explain(e.function));
    writePdf(path, [&](Sheet& sheet) {
        sheet.text(QString::fromStdString(options.title + ": answers"), 16, true);
        sheet.gap(8);
        for (std::size_t i = 0; i < exercises.size(); ++i) {
            const Exercise& e = exercises[i];
            const qm::Explanation& x = explained[i];
            const int width = e.function.width;
            const std::string letters(
                logic::kDefaultLetters.substr(0, static_cast<std::size_t>(width)));
            sheet.room(100);
            sheet.text(
                QStringLiteral("%1. Exercise %2").arg(i + 1).arg(QString::fromStdString(e.code)),
                12, true);
            sheet.text(QString::fromStdString(functionText(e)));
            sheet.text(QString::fromStdString("Minimum SOP: Y = " +
                                              logic::sopText(x.covers.front(), width, letters)));
            sheet.text(QString::fromStdString("Minimum POS: Y = " +
                                              (x.pos ? logic::posText(*x.pos, width, letters)
                                                     : std::string("not found in time"))));
            for (const std::string& step : stepHints(x, letters))
                sheet.text(QString::fromStdString("\u2022 " + step), 9);
            sheet.gap(10);
        }
    });
}

int runExercisesCommand(const QStringList& args, std::ostream& err) {
    int count = -1, level = -1, width = -1;
    long long seed = -1;
    bool dontCares = false;
    QString format, out, answers;
    auto usage = [&err](const std::string& why) {
        err << "quendal-export: " << why
            << " (usage: --exercises N --level 1|2|3 --vars V [--dont-cares] --seed S "
               "--format json|pdf -o OUT [--answers KEY.pdf])\n";
        return 2;
    };
    auto number = [](const QString& text, long long low, long long high, long long& into) {
        bool ok = false;
        const long long value = text.toLongLong(&ok);
        if (!ok || value < low || value > high) return false;
        into = value;
        return true;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--dont-cares")) {
            dontCares = true;
            continue;
        }
        if (i + 1 >= args.size()) return usage(a.toStdString() + " needs a value");
        const QString value = args[++i];
        long long n = 0;
        if (a == QStringLiteral("--exercises")) {
            if (!number(value, 1, WorksheetOptions::kMaxExercises, n))
                return usage("--exercises takes 1 to 100");
            count = static_cast<int>(n);
        } else if (a == QStringLiteral("--level")) {
            if (!number(value, 1, 3, n)) return usage("--level takes 1, 2 or 3");
            level = static_cast<int>(n);
        } else if (a == QStringLiteral("--vars")) {
            if (!number(value, ExerciseRequest::kMinWidth, ExerciseRequest::kMaxWidth, n))
                return usage("--vars takes 2 to 6");
            width = static_cast<int>(n);
        } else if (a == QStringLiteral("--seed")) {
            if (!number(value, 0, ExerciseRequest::kSeedLimit - 1, n))
                return usage("--seed takes 0 to 1048575");
            seed = n;
        } else if (a == QStringLiteral("--format")) {
            if (value != QStringLiteral("json") && value != QStringLiteral("pdf"))
                return usage("--format takes json or pdf");
            format = value;
        } else if (a == QStringLiteral("-o")) {
            out = value;
        } else if (a == QStringLiteral("--answers")) {
            answers = value;
        } else {
            return usage("unknown argument " + a.left(40).toStdString());
        }
    }
    if (count < 0 || level < 0 || width < 0 || seed < 0 || format.isEmpty() || out.isEmpty())
        return usage("--exercises, --level, --vars, --seed, --format and -o are needed");
    if (!levelPossible(level, width, dontCares))
        return usage("no function of " + std::to_string(width) + " variables" +
                     (dontCares ? " with" : " without") + " don't-cares has level " +
                     std::to_string(level));
    try {
        const auto exercises =
            worksheetExercises(count, level, width, dontCares, static_cast<std::uint32_t>(seed));
        if (format == QStringLiteral("json"))
            writeTextFile(out.toStdString(), exercisesJson(exercises));
        else
            writeWorksheetPdf(out.toStdString(), exercises);
        if (!answers.isEmpty()) writeAnswerKeyPdf(answers.toStdString(), exercises);
    } catch (const std::exception& error) {
        err << "quendal-export: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace quendal::practice
