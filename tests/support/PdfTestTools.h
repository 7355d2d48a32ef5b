#pragma once
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// What the poppler tools read out of a PDF the program wrote.

// Output of `program` with `arguments`; the test fails when it does not run cleanly.
inline QString runPoppler(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of page `page` (1-based; 0 for every page) with the printed lines kept as lines.
inline QString pdfText(const QString& pdf, int page = 0) {
    QStringList args{"-layout", "-enc", "UTF-8"};
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return runPoppler("pdftotext", args << pdf << "-");
}

inline int pdfPageCount(const QString& pdf) {
    const auto m = QRegularExpression("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption)
                       .match(runPoppler("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The printed lines of `text` with runs of blanks made one: "001 Onorario 1.234,50".
inline QStringList squeezedLines(const QString& text) {
    QStringList out;
    for (const QString& line : text.split(u'\n')) {
        const QString s = line.simplified();
        if (!s.isEmpty()) out << s;
    }
    return out;
}
