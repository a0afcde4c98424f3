#include "setup/ParameterFile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Reads the file's bytes into a layout that starts as given; "measures|frame|cuts|read".
QString readInto(const QByteArray& bytes, PrintLayout l) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("forme.PAR")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QStringLiteral("not written");
    file.close();
    const bool read = parameterfile::read(file.fileName(), l);
    QStringList measures;
    for (double v :
         {l.leftMargin, l.topMargin, l.horizontalSeparator, l.verticalSeparator, l.cardWidth, l.cardHeight})
        measures << QString::number(v, 'g', 15);
    return measures.join(',') + '|' + (l.printFrame ? "on" : "off") + '|' + (l.printCutMarks ? "on" : "off") +
           '|' + (read ? "read" : "stopped");
}

const QList<QPair<QByteArray, QString>> FlagForms = {
    {"#TRUE#", "on"}, {"#FALSE#", "off"}, {"1", "on"},          {"0", "off"},  {"-1", "on"},   {"2", "on"},
    {".5", "on"},     {"0.5", "on"},      {"-0.25", "on"},      {"1E3", "on"}, {"0.0", "off"}, {"-0", "off"},
    {"0E2", "off"},   {"  #TRUE#", "on"}, {"#FALSE#  ", "off"}, {"\t1", "on"}};
// Not a flag: the read stops, and both flags keep their values.
const QList<QByteArray> NotFlags = {"TRUE", "True", "#TRUE", "TRUE#", "#VRAI#", "oui", "x1", "1x"};

} // namespace

// Every form a parameter file's fields may take, in every place: "#TRUE#", "#FALSE#" or a
// number for the two flags (true unless it is 0), numbers with or without the zero before the
// point for the six measures.
class ParameterFormsTest : public QObject {
    Q_OBJECT
private slots:
    void flags_data() {
        QTest::addColumn<int>("field"); // 7 the frame, 8 the cut marks
        QTest::addColumn<QByteArray>("form");
        QTest::addColumn<QString>("expected"); // "on", "off", or "" when the read stops
        for (int field : {7, 8}) {
            for (const auto& [form, value] : FlagForms)
                QTest::newRow(qPrintable(QStringLiteral("field %1: %2").arg(field).arg(QString(form))))
                    << field << form << value;
            for (const QByteArray& form : NotFlags)
                QTest::newRow(
                    qPrintable(QStringLiteral("field %1: %2 refused").arg(field).arg(QString(form))))
                    << field << form << QString();
        }
    }
    void flags() {
        QFETCH(int, field);
        QFETCH(QByteArray, form);
        QFETCH(QString, expected);
        // The other flag has the opposite of what the layout held, so that each shows on its own.
        const QByteArray frame = field == 7 ? form : "#FALSE#";
        const QByteArray cuts = field == 8 ? form : "#TRUE#";
        PrintLayout before{1, 2, 3, 4, 50, 40, true, false};
        const QString read = readInto("5,0,0,0,85,54\r\n" + frame + ',' + cuts + "\r\n", before);
        if (expected.isEmpty())
            QCOMPARE(read, QStringLiteral("5,0,0,0,85,54|on|off|stopped"));
        else if (field == 7)
            QCOMPARE(read, QStringLiteral("5,0,0,0,85,54|%1|on|read").arg(expected));
        else
            QCOMPARE(read, QStringLiteral("5,0,0,0,85,54|off|%1|read").arg(expected));
    }

    void measures_data() {
        QTest::addColumn<int>("field"); // 1 to 6
        QTest::addColumn<QByteArray>("form");
        QTest::addColumn<QString>("expected"); // "" when the read stops there
        const QList<QPair<QByteArray, QString>> forms = {
            {"5", "5"},         {"12.5", "12.5"}, {".5", "0.5"},
            {"0.5", "0.5"},     {"-2", "-2"},     {"-.75", "-0.75"},
            {"-0.75", "-0.75"}, {"1E2", "100"},   {"1e-3", "0.001"},
            {"+3", "3"},        {"007", "7"},     {"85.", "85"},
            {"  9", "9"},       {"9  ", "9"},     {"123456.789", "123456.789"},
            {"x", ""},          {"1.2.3", ""},    {"5mm", ""},
            {"-", ""},          {".", ""}};
        for (int field = 1; field <= 6; ++field)
            for (const auto& [form, value] : forms)
                QTest::newRow(qPrintable(QStringLiteral("field %1: %2").arg(field).arg(QString(form))))
                    << field << form << value;
    }
    void measures() {
        QFETCH(int, field);
        QFETCH(QByteArray, form);
        QFETCH(QString, expected);
        QList<QByteArray> fields = {"11", "12", "13", "14", "15", "16"};
        fields[field - 1] = form;
        QStringList values = {"11", "12", "13", "14", "15", "16"};
        const QStringList before = {"1", "2", "3", "4", "50", "40"};
        if (expected.isEmpty()) // read up to the field, the others as they were
            values = values.mid(0, field - 1) + before.mid(field - 1);
        else
            values[field - 1] = expected;
        const QString read =
            readInto(fields.join(',') + "\r\n#FALSE#,#TRUE#\r\n", {1, 2, 3, 4, 50, 40, true, false});
        QCOMPARE(read, values.join(',') + (expected.isEmpty() ? "|on|off|stopped" : "|off|on|read"));
    }
};

QTEST_GUILESS_MAIN(ParameterFormsTest)
#include "tst_parameterforms.moc"
