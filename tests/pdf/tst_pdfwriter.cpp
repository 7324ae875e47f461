// Tests of the PDF writer: exact bytes where the file layout is fixed, the
// cross-reference table read back, qpdf's verdict on every kind of document,
// and a rendered page checked by pixels and by extracted text.
#include "PdfWriter.h"
#include "pdf_test_util.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <system_error>

using namespace pdftest;

namespace {

#define BYTES(s) std::string(s, sizeof(s) - 1)

const char* const kDateRe = "\\(D:(\\d{14})\\+01'00'\\)";

// Builds the bytes the writer should produce, object by object, keeping the
// offsets for the cross-reference table.
struct ExpectedPdf {
    std::string bytes = "%PDF-1.3\r\n";
    std::map<int, std::size_t> offsets;
    void obj(int n, const std::string& body)
    {
        offsets[n] = bytes.size();
        bytes += std::to_string(n) + " 0 obj\r\n" + body + "endobj\r\n";
    }
    std::string finish()
    {
        const std::size_t xref = bytes.size();
        const int size = offsets.rbegin()->first + 1;
        bytes += "xref\r\n0 " + std::to_string(size) + "\r\n0000000000 65535 f\r\n";
        for (int i = 1; i < size; ++i) {
            char line[32];
            std::snprintf(line, sizeof line, "%010zu 00000 n\r\n", offsets.at(i));
            bytes += line;
        }
        bytes += "trailer\r<<\r/Size " + std::to_string(size) + "\r/Info 1 0 R\r/Root 2 0 R\r>>\r\n";
        bytes += "startxref\r" + std::to_string(xref) + "\r\n%%EOF\r\r\n";
        return bytes;
    }
};

std::string infoBody(const std::string& escapedTitle)
{
    return "<<\r/Title (" + escapedTitle +
           ")\r/Author (KOR_VEL)\r/Creator  (PdfWriter)\r"
           "/Producer (KOR_VEL PdfWriter 1.0)\r/CreationDate (D:00000000000000+01'00')\r>>\r\n";
}

const std::string kCatalog =
    "<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r/Lang (it) \r"
    "/ViewerPreferences << /HideToolbar false /DisplayDocTitle true /HideWindowUI false >>\r>>\r\n";

// The creation date is the only part that changes from run to run.
std::string maskDate(std::string s)
{
    const std::size_t at = s.find("/CreationDate (D:");
    if (at != std::string::npos)
        s.replace(at + 17, 14, "00000000000000");
    return s;
}

// The content stream of page `page` (1-based), taken from the file.
std::string pageContent(const std::string& pdf, int page)
{
    std::size_t pos = 0;
    for (int i = 0; i < page; ++i) {
        pos = pdf.find("/Type /Page\r", pos);
        if (pos == std::string::npos)
            return {};
        ++pos;
    }
    std::size_t start = pdf.find("stream\r\n", pos);
    std::size_t end = pdf.find("endstream", start);
    if (start == std::string::npos || end == std::string::npos)
        return {};
    start += 8;
    return pdf.substr(start, end - start);
}

QStringList lines(const std::string& content)
{
    return QString::fromLatin1(content.data(), static_cast<int>(content.size()))
        .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// Runs one page through a writer and gives back its content-stream lines.
QStringList drawn(const std::function<void(PdfWriter&)>& draw, const std::string& dir,
                  const std::function<void(PdfWriter&)>& setup = {})
{
    std::string path = dir + "/drawn.pdf";
    PdfWriter w;
    w.InitPDFFile(path);
    if (setup)
        setup(w);
    w.BeginPage();
    draw(w);
    w.EndPage();
    w.ClosePDFFile();
    return lines(pageContent(readFile(path), 1));
}

bool near(const Rgb& a, const Rgb& b, int tol = 40)
{
    return std::abs(a.r - b.r) <= tol && std::abs(a.g - b.g) <= tol && std::abs(a.b - b.b) <= tol;
}

QString rgbText(const Rgb& c)
{
    return QStringLiteral("(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b);
}

} // namespace

class TestPdfWriter : public QObject {
    Q_OBJECT

private:
    QTemporaryDir tmp_;
    std::string dir() const { return tmp_.path().toStdString(); }
    std::string path(const char* name) const { return dir() + "/" + name; }
    void expectQpdfClean(const std::string& file);

private slots:
    void initTestCase();

    void formatNumber_data();
    void formatNumber();
    void escapeAndCodePage();
    void emptyDocument();
    void twoPagesLayout();
    void pageGeometry_data();
    void pageGeometry();
    void titleEscaped();
    void commaDecimalLocale();
    void crossReferenceOffsets();
    void temporaryFileName();
    void failuresAreThrown();

    void operators_data();
    void operators();
    void drawTextAlignAndRotation();
    void roundedRectangleClampsRadius();
    void arcSegmentsAndPie();

    void loadFontObjects();
    void fontDescriptors_data();
    void fontDescriptors();
    void lengthMeasures();
    void ascii85_data();
    void ascii85();
    void readBmpDepths();
    void badBitmapsFailCleanly_data();
    void badBitmapsFailCleanly();
    void imageObjects();
    void formObjectsStamped_data();
    void formObjectsStamped();

    void qpdfAcceptsEveryKind();
    void renderedPage();
};

void TestPdfWriter::initTestCase()
{
    QVERIFY(tmp_.isValid());
    // Set KORVEL_KEEP_PDF_TEST_FILES to look at the documents afterwards.
    if (qEnvironmentVariableIsSet("KORVEL_KEEP_PDF_TEST_FILES")) {
        tmp_.setAutoRemove(false);
        qInfo("PDF test files kept in %s", qPrintable(tmp_.path()));
    }
}

void TestPdfWriter::expectQpdfClean(const std::string& file)
{
    ToolResult r = runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), QString::fromStdString(file)});
    QVERIFY2(r.exitCode == 0, qPrintable(QString::fromStdString(file) + ": " + QString::fromUtf8(r.out + r.err)));
}

// ---------------------------------------------------------------------------
// Numbers, strings, skeleton
// ---------------------------------------------------------------------------

void TestPdfWriter::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << 842.0 << true << "842";
    QTest::newRow("one decimal") << 595.2 << true << "595.2";
    QTest::newRow("rounded up") << 0.50196 << false << "0.502";
    QTest::newRow("negative") << -12.25 << true << "-12.25";
    QTest::newRow("tie to even down") << 0.0625 << false << "0.062";
    QTest::newRow("tie to even 1.0625") << 1.0625 << false << "1.062";
    QTest::newRow("tie to even up") << 0.1875 << false << "0.188";
    QTest::newRow("tiny negative is zero") << -0.0001 << false << "0";
    QTest::newRow("millimetre margin") << 10 * 72 / 25.4 << true << "28.346";
    QTest::newRow("single keeps 7 digits") << 12345.678 << true << "12345.68";
    QTest::newRow("double keeps 3 decimals") << 12345.678 << false << "12345.678";
    QTest::newRow("no exponent") << 1e20 << false << "100000000000000000000";
    QTest::newRow("zero") << 0.0 << true << "0";
}

void TestPdfWriter::formatNumber()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, text);
    std::string got = single ? PdfWriter::FormatNumber(static_cast<float>(value)) : PdfWriter::FormatNumber(value);
    QCOMPARE(QString::fromStdString(got), text);
    QCOMPARE(PdfWriter::FormatNumber(static_cast<std::int16_t>(-7)), std::string("-7"));
}

void TestPdfWriter::escapeAndCodePage()
{
    QCOMPARE(PdfWriter::EscapeText("a(b)c\\d"), std::string("a\\(b\\)c\\\\d"));
    QCOMPARE(PdfWriter::EscapeText("\\("), std::string("\\\\\\("));
    // Latin-1 letters keep their code, the Windows-1252 extras get theirs,
    // everything else and malformed input become "?".
    QCOMPARE(PdfWriter::ToWindows1252("\xc3\xa0\xc3\xa8 \xe2\x82\xac \xe2\x80\x94 \xc5\x93"),
             std::string("\xe0\xe8 \x80 \x97 \x9c"));
    QCOMPARE(PdfWriter::ToWindows1252("\xe4\xb8\xad\xf0\x9f\x98\x80"), std::string("??"));
    QCOMPARE(PdfWriter::ToWindows1252("a\xff"
                                      "b\xc3"),
             std::string("a?b?"));
    QCOMPARE(PdfWriter::ToWindows1252("\xc2\x81"), std::string("\x81"));
    QCOMPARE(PdfWriter::ToWindows1252("\xc2\x85"), std::string("?"));
}

void TestPdfWriter::emptyDocument()
{
    std::string file = path("empty.pdf");
    PdfWriter w;
    w.InitPDFFile(file);
    QCOMPARE(w.Pages(), std::int16_t(0));
    w.ClosePDFFile();
    std::string got = readFile(file);
    QVERIFY(QRegularExpression(QString::fromLatin1(kDateRe)).match(QString::fromLatin1(got.c_str())).hasMatch());

    ExpectedPdf e;
    e.obj(1, infoBody("\\(senza titolo\\)"));
    e.obj(2, kCatalog);
    e.obj(4, "<<\r/ProcSet [/PDF /Text ]\r>>\r\n");
    e.obj(3, "<<\r/Type /Pages\r/Count 0\r/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r"
             "/Kids [ ]\r/Resources 4 0 R\r>>\r\n");
    QCOMPARE(maskDate(got), e.finish());
    expectQpdfClean(file);
}

void TestPdfWriter::twoPagesLayout()
{
    std::string file = path("two.pdf");
    PdfWriter w;
    w.InitPDFFile(file);
    QCOMPARE(w.BeginPage(), std::int16_t(1));
    w.MoveTo(1, 2);
    w.EndPage();
    QCOMPARE(w.BeginPage(), std::int16_t(2));
    w.EndPage();
    QCOMPARE(w.Pages(), std::int16_t(2));
    w.ClosePDFFile();

    ExpectedPdf e;
    e.obj(1, infoBody("\\(senza titolo\\)"));
    e.obj(2, kCatalog);
    e.obj(5, "<<\r/Type /Page\r/Parent 3 0 R\r/Contents 6 0 R\r>>\r\n");
    e.obj(6, "<< /Length 7 0 R >>\rstream\r\n1 2 m\r\nendstream\r\n");
    e.obj(7, "7\r\n");
    e.obj(8, "<<\r/Type /Page\r/Parent 3 0 R\r/Contents 9 0 R\r>>\r\n");
    e.obj(9, "<< /Length 10 0 R >>\rstream\r\nendstream\r\n");
    e.obj(10, "0\r\n");
    e.obj(4, "<<\r/ProcSet [/PDF /Text ]\r>>\r\n");
    e.obj(3, "<<\r/Type /Pages\r/Count 2\r/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r"
             "/Kids [5 0 R 8 0 R  ]\r/Resources 4 0 R\r>>\r\n");
    QCOMPARE(maskDate(readFile(file)), e.finish());
    expectQpdfClean(file);
}

void TestPdfWriter::pageGeometry_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("boxes");
    // Steps: S<n> ScaleMode, M<v> Margin, P<n> PaperSize, W<v>/H<v> paper width
    // and height, O<n> Orientation.
    QTest::newRow("margin in millimetres") << "S2 M10"
                                           << "/MediaBox [0 0 595.2 842]\r/CropBox [28.346 28.346 566.854 813.654]\r\r";
    QTest::newRow("margin before the unit stays in points")
        << "M10 S2"
        << "/MediaBox [0 0 595.2 842]\r/CropBox [10 10 585.2 832]\r\r";
    QTest::newRow("inches") << "S1 M0.5 W8.5 H11"
                            << "/MediaBox [0 0 612 792]\r/CropBox [36 36 576 756]\r\r";
    QTest::newRow("centimetres") << "S3 M1"
                                 << "/MediaBox [0 0 595.2 842]\r/CropBox [28.346 28.346 566.854 813.654]\r\r";
    QTest::newRow("unknown unit gives zero") << "S9 M5"
                                             << "/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r";
    QTest::newRow("size 1") << "P1"
                            << "/MediaBox [0 0 842 1190.5]\r/CropBox [0 0 842 1190.5]\r\r";
    QTest::newRow("size 2") << "P2"
                            << "/MediaBox [0 0 612 792]\r/CropBox [0 0 612 792]\r\r";
    QTest::newRow("size 3") << "P3"
                            << "/MediaBox [0 0 612 864]\r/CropBox [0 0 612 864]\r\r";
    QTest::newRow("custom width keeps height") << "P1 W500"
                                               << "/MediaBox [0 0 500 1190.5]\r/CropBox [0 0 500 1190.5]\r\r";
    QTest::newRow("size 0 restores A4") << "P1 W500 P0"
                                        << "/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r";
    QTest::newRow("unknown size keeps custom") << "W500 P7"
                                               << "/MediaBox [0 0 500 842]\r/CropBox [0 0 500 842]\r\r";
    QTest::newRow("rotated") << "O1"
                             << "/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r/Rotate 90\r";
    QTest::newRow("other orientation not rotated") << "O2"
                                                   << "/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r";
}

void TestPdfWriter::pageGeometry()
{
    QFETCH(QString, steps);
    QFETCH(QString, boxes);
    PdfWriter w;
    for (const QString& s : steps.split(QLatin1Char(' '))) {
        const float v = s.mid(1).toFloat();
        switch (s[0].toLatin1()) {
        case 'S': w.ScaleMode(static_cast<std::int32_t>(v)); break;
        case 'M': w.Margin(v); break;
        case 'P': w.PaperSize(static_cast<std::int32_t>(v)); break;
        case 'W': w.PaperWidth(v); break;
        case 'H': w.PaperHeight(v); break;
        case 'O': w.Orientation(static_cast<std::int32_t>(v)); break;
        }
    }
    std::string file = path("geometry.pdf");
    w.InitPDFFile(file);
    w.BeginPage();
    w.EndPage();
    w.ClosePDFFile();
    std::string pdf = readFile(file);
    const std::string want = "/Count 1\r" + boxes.toStdString() + "/Kids [5 0 R  ]\r";
    QVERIFY2(pdf.find(want) != std::string::npos, pdf.c_str());
    expectQpdfClean(file);
}

void TestPdfWriter::titleEscaped()
{
    std::string file = path("title.pdf");
    PdfWriter w;
    w.Title("Stadio (12AX7) \\ \xc3\xa8 \xe2\x82\xac");
    w.InitPDFFile(file);
    w.BeginPage();
    w.EndPage();
    w.ClosePDFFile();
    std::string pdf = readFile(file);
    QVERIFY(pdf.find("\r/Title (Stadio \\(12AX7\\) \\\\ \xe8 \x80)\r") != std::string::npos);
    expectQpdfClean(file);
    ToolResult info = runTool(QStringLiteral("pdfinfo"), {QString::fromStdString(file)});
    QVERIFY2(info.out.contains("Stadio (12AX7) \\ \xc3\xa8"), info.out.constData());
}

void TestPdfWriter::commaDecimalLocale()
{
    // Generate an Italian locale into the temporary folder so the test does
    // not depend on which locales the machine has compiled.
    const QString locDir = tmp_.path() + QStringLiteral("/locales");
    QDir().mkpath(locDir);
    ToolResult gen =
        runTool(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("it_IT"), QStringLiteral("-f"),
                                              QStringLiteral("UTF-8"), locDir + QStringLiteral("/it_IT.UTF-8")});
    qputenv("LOCPATH", locDir.toLocal8Bit());
    if (!std::setlocale(LC_ALL, "it_IT.UTF-8")) {
        qunsetenv("LOCPATH");
        QSKIP(qPrintable(QStringLiteral("no comma-decimal locale: localedef (package locales) failed: ") +
                         QString::fromUtf8(gen.err)));
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const std::string probeText = probe;

    std::string file = path("locale.pdf");
    {
        PdfWriter w;
        w.ScaleMode(2);
        w.Margin(10);
        w.InitPDFFile(file);
        w.BeginPage();
        w.SetLineWidth(0.35f);
        w.SetColorFill(-128);
        w.MoveTo(10.5f, 20.25f);
        w.EndPage();
        w.ClosePDFFile();
    }
    std::setlocale(LC_ALL, "C");
    qunsetenv("LOCPATH");
    QCOMPARE(probeText, std::string("1,5")); // the locale was really in force

    std::string pdf = readFile(file);
    QVERIFY(pdf.find("/CropBox [28.346 28.346 566.854 813.654]") != std::string::npos);
    QCOMPARE(lines(pageContent(pdf, 1)), QStringList({"0.992 w", "0.502 g", "29.764 57.402 m"}));
    expectQpdfClean(file);
}

void TestPdfWriter::crossReferenceOffsets()
{
    std::string file = path("xref.pdf");
    std::string bmp = path("xref.bmp");
    writeFile(bmp, makeBmp(5, 3, 8, {{255, 0, 0}, {0, 0, 255}}, [](int x, int) { return x % 2; }));
    {
        PdfWriter w;
        w.InitPDFFile(file);
        std::string f1 = "Arial", f2 = "Courier";
        w.LoadFont("F1", f1, 1);
        w.LoadFontStandard("F2", f2);
        QVERIFY(w.LoadImgFromBMPFile("I1", bmp));
        w.StartObject("Frm", 7);
        w.MoveTo(0, 0);
        w.EndObject();
        for (int i = 0; i < 3; ++i) {
            w.BeginPage();
            w.LineTo(100, 100);
            w.EndPage();
        }
        w.ClosePDFFile();
    }
    std::string pdf = readFile(file);
    QVERIFY(pdf.size() > 20);
    QCOMPARE(pdf.substr(pdf.size() - 8), std::string("%%EOF\r\r\n"));
    const std::size_t sx = pdf.rfind("startxref\r");
    const std::size_t xref = std::stoul(pdf.substr(sx + 10));
    QCOMPARE(pdf.substr(xref, 6), std::string("xref\r\n"));
    std::size_t pos = xref + 6;
    std::size_t eol = pdf.find("\r\n", pos);
    QCOMPARE(pdf.substr(pos, 2), std::string("0 "));
    const int count = std::stoi(pdf.substr(pos + 2, eol - pos - 2));
    QCOMPARE(count, 22); // 4 fixed, font 2, standard font 1, image 3, form 2, pages 3 x 3
    pos = eol + 2;
    QCOMPARE(pdf.substr(pos, 20), std::string("0000000000 65535 f\r\n"));
    for (int n = 1; n < count; ++n) {
        const std::string entry = pdf.substr(pos + 20 * static_cast<std::size_t>(n), 20);
        QCOMPARE(entry.size(), std::size_t(20));
        QCOMPARE(entry.substr(10), std::string(" 00000 n\r\n"));
        const std::size_t off = std::stoul(entry.substr(0, 10));
        const std::string head = std::to_string(n) + " 0 obj\r\n";
        QVERIFY2(pdf.compare(off, head.size(), head) == 0, qPrintable(QStringLiteral("object %1").arg(n)));
        QVERIFY(off == 0 || pdf.compare(off - 2, 2, "\r\n") == 0);
    }
    QCOMPARE(pdf.substr(pos + 20 * static_cast<std::size_t>(count), 8), std::string("trailer\r"));
    expectQpdfClean(file);
}

void TestPdfWriter::temporaryFileName()
{
    std::tm t{};
    t.tm_mday = 9;
    t.tm_hour = 1;
    t.tm_min = 12;
    t.tm_sec = 33;
    QCOMPARE(PdfWriter::TempFileName("/prog", t, 7), std::string("/prog/~55F0151.pdf"));
    t.tm_mday = 31;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 59;
    QCOMPARE(PdfWriter::TempFileName("/p", t, 9), std::string("/p/~129E3AAF.pdf")); // 312359599

    std::string name;
    PdfWriter w;
    w.InitPDFFile(name);
    w.ClosePDFFile();
    const QFileInfo fi(QString::fromStdString(name));
    QCOMPARE(fi.absolutePath(), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
    QVERIFY2(QRegularExpression(QStringLiteral("^~[0-9A-F]{6,8}\\.pdf$")).match(fi.fileName()).hasMatch(),
             qPrintable(fi.fileName()));
    QVERIFY(fi.exists());
    expectQpdfClean(name);
    QFile::remove(fi.absoluteFilePath());
}

void TestPdfWriter::failuresAreThrown()
{
    PdfWriter w;
    std::string bad = path("no/such/folder/x.pdf");
    QVERIFY_THROWS_EXCEPTION(std::system_error, w.InitPDFFile(bad));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, w.BeginPage());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, w.MoveTo(1, 1));

    std::string file = path("errors.pdf");
    w.InitPDFFile(file);
    w.BeginPage();
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, w.SetColorStroke(-256));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, w.Arc(10, 10, 5, 0, 360, 1, 0, 0));
    w.EndPage();
    w.ClosePDFFile();
    QVERIFY_THROWS_EXCEPTION(std::logic_error, w.ClosePDFFile());

    // The page count is a 16-bit number.
    std::string many = path("many.pdf");
    PdfWriter m;
    m.InitPDFFile(many);
    for (int i = 0; i < 32767; ++i) {
        m.BeginPage();
        m.EndPage();
    }
    QCOMPARE(m.Pages(), std::int16_t(32767));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, m.BeginPage());
    m.ClosePDFFile();
}

// ---------------------------------------------------------------------------
// Drawing and text
// ---------------------------------------------------------------------------

using Draw = std::function<void(PdfWriter&)>;
Q_DECLARE_METATYPE(Draw)

void TestPdfWriter::operators_data()
{
    QTest::addColumn<Draw>("draw");
    QTest::addColumn<QStringList>("want");
    auto row = [](const char* name, Draw d, QStringList l) { QTest::newRow(name) << d << l; };
    row("stroke red", [](PdfWriter& w) { w.SetColorStroke(255); }, {"1 0 0 RG"});
    row("stroke green", [](PdfWriter& w) { w.SetColorStroke(65280); }, {"0 1 0 RG"});
    row("stroke packed, high bits ignored", [](PdfWriter& w) { w.SetColorStroke(0x7F804020); },
        {"0.125 0.251 0.502 RG"});
    row("fill black", [](PdfWriter& w) { w.SetColorFill(0); }, {"0 g"});
    row("fill gray", [](PdfWriter& w) { w.SetColorFill(-128); }, {"0.502 g"});
    row("stroke white", [](PdfWriter& w) { w.SetColorStroke(-255); }, {"1 G"});
    row("solid dash", [](PdfWriter& w) { w.SetDash(0); }, {"[ ] 0 d"});
    row("dash", [](PdfWriter& w) { w.SetDash(3); }, {"[3 0] 0 d"});
    row("dash on off", [](PdfWriter& w) { w.SetDash(3, 1.5f); }, {"[3 1.5] 0 d"});
    row("line style",
        [](PdfWriter& w) {
            w.SetLineWidth(0.5f);
            w.SetLineCap(1);
            w.SetLineJoin(2);
            w.SetMiterLimit(10);
        },
        {"0.5 w", "1 J", "2 j", "10 M"});
    row("out of range styles ignored",
        [](PdfWriter& w) {
            w.SetLineCap(3);
            w.SetLineCap(-1);
            w.SetLineJoin(5);
            w.SetMiterLimit(0.5f);
            w.SetTextRenderingMode(3);
            w.SetTextRenderingMode(-1);
        },
        {});
    row("text state",
        [](PdfWriter& w) {
            w.SetWordSpacing(1.5f);
            w.SetCharSpacing(-0.25f);
            w.SetTextHorizontalScaling(70);
            w.SetTextRenderingMode(2);
        },
        {"1.5 Tw", "-0.25 Tc", "70 Tz", "2 Tr"});
    row("line strokes at once",
        [](PdfWriter& w) {
            w.MoveTo(0, 0);
            w.LineTo(10, 20);
        },
        {"0 0 m", "10 20 l", "S"});
    row("polyline painted at the end",
        [](PdfWriter& w) {
            w.MoveTo(0, 0);
            w.LineTo(10, 0, 0);
            w.LineTo(10, 10, 0);
            w.PaintPath(3);
        },
        {"0 0 m", "10 0 l", "10 10 l", "h", "S"});
    row("painting options",
        [](PdfWriter& w) {
            for (int o : {7, 5, 4, 6, 2, 0, 15})
                w.PaintPath(o);
        },
        {"b", "B", "f", "f", "h", "b"});
    row("curve", [](PdfWriter& w) { w.Curve(1, 2, 3, 4, 5, 6, 4); }, {"1 2 3 4 5 6 c", "f"});
    row("rectangle", [](PdfWriter& w) { w.Rectangle(10, 20, 30, 40); }, {"n", "10 20 30 40 re", "S"});
    row("filled rectangle in cm",
        [](PdfWriter& w) {
            w.ScaleMode(3);
            w.Rectangle(1, 1, 2, 2.5f, 5);
        },
        {"n", "28.346 28.346 56.693 70.866 re", "B"});
    row("circle", [](PdfWriter& w) { w.DrawCircle(50, 50, 10, 6); },
        {"50 40 m", "55.5 40 60 44.5 60 50 c", "60 55.5 55.5 60 50 60 c", "44.5 60 40 55.5 40 50 c",
         "40 44.5 44.5 40 50 40 c", "f"});
    row("image placement", [](PdfWriter& w) { w.DrawImg("Img1", 2, 24, 12, 8); },
        {"q\r12  0 0 -8 2 24 cm\r/Img1 Do\rQ"});
    row("image placement in cm",
        [](PdfWriter& w) {
            w.ScaleMode(3);
            w.DrawImg("Img1", 2, 24, 12, 8);
        },
        {"q\r340.157  0 0 -226.772 56.693 680.315 cm\r/Img1 Do\rQ"});
    row("form drawn", [](PdfWriter& w) { w.DrawObject("Footers"); }, {"/Footers Do"});
}

void TestPdfWriter::operators()
{
    QFETCH(Draw, draw);
    QFETCH(QStringList, want);
    QCOMPARE(drawn(draw, dir()), want);
}

void TestPdfWriter::drawTextAlignAndRotation()
{
    float left = 0, right = 0, centre = 0, plain = 0;
    QStringList got = drawn(
        [&](PdfWriter& w) {
            plain = 100;
            w.DrawText(plain, 700, "Tab(1)", "F1", 12);
            right = 300;
            w.DrawText(right, 600, "AW", "F1", 10, 1); // 722 + 944 thousandths
            centre = 300;
            w.DrawText(centre, 500, "AW", "f1", 10, 2); // the resource name matches in any case
            left = 50;
            w.DrawText(left, 400, "su", "F1", 20, 0, 90);
            float sx = 200;
            w.DrawText(sx, 300, "x", "F2", 10, 1);
            QCOMPARE(sx, 200.0f); // no widths for a standard font
        },
        dir(),
        [](PdfWriter& w) {
            std::string t = "Times New Roman", c = "Courier";
            w.LoadFont("F1", t);
            w.LoadFontStandard("F2", c);
        });
    QCOMPARE(plain, 100.0f);
    QCOMPARE(right, 300.0f - 16.66f);
    QCOMPARE(centre, 300.0f - 8.33f);
    QCOMPARE(got.mid(0, 10), QStringList({"BT", "/F1 12 Tf", "100 700 Td", "(Tab\\(1\\)) Tj", "ET", "BT", "/F1 10 Tf",
                                          "283.34 600 Td", "(AW) Tj", "ET"}));
    QCOMPARE(got.at(12), QStringLiteral("291.67 500 Td"));
    QCOMPARE(got.mid(15, 5), QStringList({"BT", "/F1 20 Tf", "0 1 -1 0 50 400 Tm", "(su) Tj", "ET"}));

    got = drawn(
        [](PdfWriter& w) {
            float x = 10;
            w.DrawText(x, 10, "r", "F", 9, 0, 30);
        },
        dir());
    QCOMPARE(got.at(2), QStringLiteral("0.866 0.5 -0.5 0.866 10 10 Tm"));
}

void TestPdfWriter::roundedRectangleClampsRadius()
{
    float ray = 50;
    QStringList got = drawn([&](PdfWriter& w) { w.Rectangle(0, 0, 40, 20, 7, ray); }, dir());
    QCOMPARE(ray, 10.0f); // half the smaller side: a stadium
    QCOMPARE(got, QStringList({"n", "10 0 m", "30 0 l", "35.5 0 40 4.5 40 10 c", "40 10 l", "40 15.5 35.5 20 30 20 c",
                               "10 20 l", "4.5 20 0 15.5 0 10 c", "0 10 l", "0 4.5 4.5 0 10 0 c", "b"}));
    ray = 2;
    got = drawn([&](PdfWriter& w) { w.Rectangle(0, 0, 40, 20, 1, ray); }, dir());
    QCOMPARE(ray, 2.0f);
    QCOMPARE(got.at(1), QStringLiteral("2 0 m"));
    QCOMPARE(got.last(), QStringLiteral("S"));
}

void TestPdfWriter::arcSegmentsAndPie()
{
    QStringList got = drawn([](PdfWriter& w) { w.Arc(100, 100, 50); }, dir());
    // "n", the centre, the first vertex, 361 segments (one per degree, both
    // ends included), the stroke.
    QCOMPARE(got.size(), 1 + 1 + 1 + 361 + 1);
    QCOMPARE(got.mid(0, 4), QStringList({"n", "100 100 m", "150 100 m", "150 100 l"}));
    QCOMPARE(got.at(93), QStringLiteral("100 150 l")); // 90 degrees
    QCOMPARE(got.last(), QStringLiteral("S"));

    bool pie = false;
    got = drawn([&](PdfWriter& w) { w.Arc(0, 0, 10, 0, 90, 0.5f, pie, 0, 45, 5); }, dir());
    QVERIFY(pie); // filling forces a sector
    QCOMPARE(got, QStringList({"n", "0 0 m", "10 0 l", "7.071 3.536 l", "0 5 l", "0 0 l", "B"}));

    // Turned by 90 degrees the major axis stands upright.
    got = drawn([](PdfWriter& w) { w.Arc(0, 0, 10, 0, 0, 0.5f, 90); }, dir());
    QCOMPARE(got.at(2), QStringLiteral("0 10 m"));
}

// ---------------------------------------------------------------------------
// Fonts, images, form objects
// ---------------------------------------------------------------------------

void TestPdfWriter::loadFontObjects()
{
    std::string file = path("fonts.pdf");
    PdfWriter w;
    w.InitPDFFile(file);
    std::string times = "Times New Roman", verdana = "Verdana", courier = "Courier New", sym = "Symbol";
    w.LoadFont("Fnt2", times, 1);
    QCOMPARE(times, std::string("TIMESNEWROMAN"));
    w.LoadFont("Fnt5", verdana, 0);
    QCOMPARE(verdana, std::string("VERDANA"));
    w.LoadFontStandard("F1", courier, 3);
    QCOMPARE(courier, std::string("CourierNew"));
    w.LoadFont("Sym", sym, 2);
    std::string bad = "arial";
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, w.LoadFont("Bad", bad, 4));
    std::string mono = "courier new";
    w.LoadFont("Mono", mono, 0); // the failed call still took index 4
    w.BeginPage();
    QCOMPARE(w.Length("A", "Mono", 1000), 600.0f);
    w.EndPage();
    w.ClosePDFFile();
    const std::string pdf = readFile(file);

    const std::string timesHead =
        "5 0 obj\r\n<< /Type /Font \r/Subtype /TrueType\r/Name /Fnt2\r/BaseFont /TimesNewRoman,Bold\r"
        "/FirstChar 32\r/LastChar 255\r/FontDescriptor 6 0 R\r/Encoding /WinAnsiEncoding\r/Widths [\r\n"
        "250 333 555 500 500 1000 833 278 333 333 500 570 250 333 250 278 \r\n";
    QVERIFY(pdf.find(timesHead) != std::string::npos);
    // 224 widths in fourteen lines of sixteen.
    std::size_t at = pdf.find("/Widths [\r\n");
    std::size_t end = pdf.find("] >>\r\nendobj\r\n", at);
    QCOMPARE(lines(pdf.substr(at + 11, end - at - 11)).size(), 14);
    QVERIFY(pdf.find("6 0 obj\r\n<<\r/Type /FontDescriptor\r/FontName /TimesNewRoman,Bold\r/Flags 16418 ") !=
            std::string::npos);
    QVERIFY(pdf.find("/Name /Fnt5\r/BaseFont /Arial\r") != std::string::npos);
    QVERIFY(pdf.find("9 0 obj\r\n<< /Type /Font /Subtype /Type1 /Name /F1 /BaseFont /CourierNew,BoldItalic "
                     "/Encoding /WinAnsiEncoding >>\r\nendobj") != std::string::npos);
    // Symbol: codes 30 to 255, 226 widths, the last line holding two.
    const std::string symHead = "/BaseFont /Symbol,Italic\r/FirstChar 30\r/LastChar 255\r/FontDescriptor 11 0 R\r"
                                "/Encoding /WinAnsiEncoding\r/Widths [\r\n"
                                "600 600 250 333 713 500 549 833 778 439 333 333 500 549 250 549 \r\n";
    at = pdf.find(symHead);
    QVERIFY(at != std::string::npos);
    at = pdf.find("/Widths [\r\n", at);
    end = pdf.find("] >>", at);
    QStringList symLines = lines(pdf.substr(at + 11, end - at - 11));
    QCOMPARE(symLines.size(), 15);
    QCOMPARE(symLines.last().count(QLatin1Char(' ')), 2);
    QVERIFY(pdf.find("/Font <<\r/Fnt2 5 0 R \r/Fnt5 7 0 R \r/F1 9 0 R \r/Sym 10 0 R \r/Mono 12 0 R \r>>\r") !=
            std::string::npos);
    expectQpdfClean(file);
}

void TestPdfWriter::fontDescriptors_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("descriptor");
    const char* courierAsc = "/Ascent 833 /Descent -300 /Leading 133 /MaxWidth 600 /AvgWidth 600";
    QTest::newRow("Courier New") << "Courier New" << 0
                                 << QString("CourierNew\r/Flags 34 /FontBBox [-250 -300 720 1000] /MissingWidth 600 "
                                            "/StemV 109 /StemH 109 /ItalicAngle 0 /CapHeight 833 /XHeight 417 ") +
                                        courierAsc;
    QTest::newRow("Courier New bold")
        << "courier new" << 1
        << QString("CourierNew,Bold\r/Flags 16418 /FontBBox [-250 -300 720 1000] /MissingWidth 600 /StemV 191 /StemH "
                   "191 /ItalicAngle 0 /CapHeight 833 /XHeight 417 ") +
               courierAsc;
    QTest::newRow("Courier New italic")
        << "CourierNew" << 2
        << QString("CourierNew,Italic\r/Flags 98 /FontBBox [-250 -300 720 1000] /MissingWidth 600 /StemV 109 /StemH "
                   "109 /ItalicAngle -11 /CapHeight 833 /XHeight 417 ") +
               courierAsc;
    QTest::newRow("Courier New bold italic")
        << "Courier New" << 3
        << QString("CourierNew,BoldItalic\r/Flags 16482 /FontBBox [-250 -300 720 1000] /MissingWidth 600 /StemV 191 "
                   "/StemH 191 /ItalicAngle -11 /CapHeight 833 /XHeight 417 ") +
               courierAsc;
    const char* timesAsc = "/Ascent 891 /Descent -216 /Leading 149 ";
    QTest::newRow("Times") << "Times New Roman" << 0
                           << QString("TimesNewRoman\r/Flags 34 /FontBBox [-250 -216 1200 1000] /MissingWidth 333 "
                                      "/StemV 73 /StemH 73 /ItalicAngle 0 /CapHeight 891 /XHeight 446 ") +
                                  timesAsc + "/MaxWidth 1000 /AvgWidth 401";
    QTest::newRow("Times bold") << "Times New Roman" << 1
                                << QString(
                                       "TimesNewRoman,Bold\r/Flags 16418 /FontBBox [-250 -216 1201 1000] /MissingWidth "
                                       "333 /StemV 136 /StemH 136 /ItalicAngle 0 /CapHeight 891 /XHeight 446 ") +
                                       timesAsc + "/MaxWidth 1001 /AvgWidth 401";
    QTest::newRow("Times italic")
        << "Times New Roman" << 2
        << QString("TimesNewRoman,Italic\r/Flags 98 /FontBBox [-250 -216 1200 1000] /MissingWidth 333 /StemV 73 /StemH "
                   "73 /ItalicAngle -11 /CapHeight 891 /XHeight 446 ") +
               timesAsc + "/MaxWidth 1000 /AvgWidth 402";
    QTest::newRow("Times bold italic")
        << "Times New Roman" << 3
        << QString("TimesNewRoman,BoldItalic\r/Flags 16482 /FontBBox [-250 -216 1200 1000] /MissingWidth 333 /StemV "
                   "131 /StemH 131 /ItalicAngle -11 /CapHeight 891 /XHeight 446 ") +
               timesAsc + "/MaxWidth 1000 /AvgWidth 412";
    const char* symAsc = "/Ascent 1005 /Descent -220 /Leading 225 ";
    QTest::newRow("Symbol") << "Symbol" << 0
                            << QString("Symbol\r/Flags 6 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 "
                                       "/StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ") +
                                   symAsc + "/MaxWidth 1038 /AvgWidth 601";
    QTest::newRow("Symbol bold") << "Symbol" << 1
                                 << QString("Symbol,Bold\r/Flags 16390 /FontBBox [-250 -220 1246 1005] /MissingWidth "
                                            "332 /StemV 191 /StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ") +
                                        symAsc + "/MaxWidth 1038 /AvgWidth 600";
    QTest::newRow("Symbol italic") << "Symbol" << 2
                                   << QString(
                                          "Symbol,Italic\r/Flags 70 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 "
                                          "/StemV 109 /StemH 109 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 ") +
                                          symAsc + "/MaxWidth 1038 /AvgWidth 600";
    QTest::newRow("Symbol bold italic")
        << "Symbol" << 3
        << QString("Symbol,BoldItalic\r/Flags 16454 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 "
                   "/StemH 191 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 ") +
               symAsc + "/MaxWidth 1038 /AvgWidth 600";
    const char* arialAsc = "/Ascent 905 /Descent -212 /Leading 150 ";
    QTest::newRow("Arial") << "Arial" << 0
                           << QString("Arial\r/Flags 32 /FontBBox [-250 -221 1190 1000] /MissingWidth 272 /StemV 80 "
                                      "/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ") +
                                  arialAsc + "/MaxWidth 992 /AvgWidth 441";
    QTest::newRow("Arial bold") << "Arial" << 1
                                << QString("Arial,Bold\r/Flags 16416 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 "
                                           "/StemV 153 /StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ") +
                                       arialAsc + "/MaxWidth 933 /AvgWidth 479";
    QTest::newRow("Arial italic") << "Arial" << 2
                                  << QString("Arial,Italic\r/Flags 96 /FontBBox [-250 -212 1134 1000] /MissingWidth "
                                             "259 /StemV 80 /StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 ") +
                                         arialAsc + "/MaxWidth 945 /AvgWidth 441";
    QTest::newRow("Arial bold italic")
        << "Helvetica" << 3
        << QString("Arial,BoldItalic\r/Flags 16480 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 /StemH "
                   "153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 ") +
               arialAsc + "/MaxWidth 933 /AvgWidth 479";
}

void TestPdfWriter::fontDescriptors()
{
    QFETCH(QString, family);
    QFETCH(int, style);
    QFETCH(QString, descriptor);
    std::string file = path("descriptor.pdf");
    PdfWriter w;
    w.InitPDFFile(file);
    std::string base = family.toStdString();
    w.LoadFont("F", base, style);
    w.ClosePDFFile();
    const std::string pdf = readFile(file);
    const std::string want = "<<\r/Type /FontDescriptor\r/FontName /" + descriptor.toStdString() + "\r>>\r\n";
    QVERIFY2(pdf.find(want) != std::string::npos, pdf.c_str());
}

void TestPdfWriter::lengthMeasures()
{
    std::string file = path("length.pdf");
    PdfWriter w;
    w.InitPDFFile(file);
    std::string a = "Arial", ab = "Arial", t = "Times New Roman", c = "Courier New", s = "Symbol", std1 = "Arial";
    w.LoadFont("A", a);
    w.LoadFont("AB", ab, 1);
    w.LoadFont("T", t);
    w.LoadFont("C", c, 3);
    w.LoadFont("S", s);
    w.LoadFontStandard("Std", std1);
    w.BeginPage();
    // Widths in thousandths of the em, at size 1000 they read directly.
    QCOMPARE(w.Length(" !\"#$%&'()*+,-./", "A", 1000),
             278.0f + 278 + 355 + 556 + 556 + 889 + 667 + 191 + 333 + 333 + 389 + 584 + 278 + 333 + 278 + 278);
    QCOMPARE(w.Length(" !\"#$%&'()*+,-./", "AB", 1000),
             278.0f + 333 + 474 + 556 + 556 + 889 + 722 + 238 + 333 + 333 + 389 + 584 + 278 + 333 + 278 + 278);
    QCOMPARE(w.Length(" !\"#$%&'()*+,-./", "T", 1000),
             250.0f + 333 + 408 + 500 + 500 + 833 + 778 + 180 + 333 + 333 + 500 + 564 + 250 + 333 + 250 + 278);
    QCOMPARE(w.Length("\x1e\x1f !\"#$%&'()*+,-./", "S", 1000), 600.0f + 600 + 250 + 333 + 713 + 500 + 549 + 833 + 778 +
                                                                   439 + 333 + 333 + 500 + 549 + 250 + 549 + 250 + 278);
    QCOMPARE(w.Length("AaW", "T", 1000), 722.0f + 444 + 944);
    QCOMPARE(w.Length("AaW", "a", 1000), 667.0f + 556 + 944);
    QCOMPARE(w.Length("any \xc3\xa8 text", "C", 10), 60.0f);
    // Below the first code the missing width applies.
    QCOMPARE(w.Length("\x01\x1f", "A", 1000), 2 * 272.0f);
    QCOMPARE(w.Length("x", "Std", 12), 0.0f);
    QCOMPARE(w.Length("x", "Nowhere", 12), 0.0f);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, w.Length(std::string("a\0b", 3), "A", 12));

    // Spacing and scaling count too: (sum * size / 1000 + blanks * Tw + chars * Tc) * Tz / 100.
    w.SetWordSpacing(2);
    w.SetCharSpacing(0.5f);
    w.SetTextHorizontalScaling(50);
    QCOMPARE(w.Length("a a", "C", 10), (18.0f + 2 + 1.5f) / 2);
    w.EndPage();
    // A new page resets the text state.
    w.BeginPage();
    QCOMPARE(w.Length("a a", "C", 10), 18.0f);
    w.ScaleMode(3);
    QVERIFY(std::abs(w.Length("a a", "C", 10) - 18.0f / 72 * 2.54f) < 1e-5f);
    w.EndPage();
    w.ClosePDFFile();
}

void TestPdfWriter::ascii85_data()
{
    QTest::addColumn<QByteArray>("in");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("empty") << QByteArray() << QByteArray("~>");
    QTest::newRow("text") << QByteArray("Man ") << QByteArray("9jqo^~>");
    QTest::newRow("partial group") << QByteArray("Man is") << QByteArray("9jqo^Bla~>");
    QTest::newRow("zeros at the end") << QByteArray("Man \0\0\0\0", 8) << QByteArray("9jqo^z~>");
    QTest::newRow("zeros in the middle") << QByteArray("\0\0\0\0Man ", 8) << QByteArray("z9jqo^~>");
    QTest::newRow("short zero tail") << QByteArray("\0", 1) << QByteArray("!!~>");
    QTest::newRow("all ones") << QByteArray("\xff\xff\xff\xff") << QByteArray("s8W-!~>");
}

void TestPdfWriter::ascii85()
{
    QFETCH(QByteArray, in);
    QFETCH(QByteArray, out);
    QCOMPARE(QByteArray::fromStdString(
                 PdfWriter::ASCII85Encode(std::string_view(in.constData(), static_cast<std::size_t>(in.size())))),
             out);
}

void TestPdfWriter::readBmpDepths()
{
    std::vector<std::uint8_t> px, pal;
    std::int32_t w = 0, h = 0, d = 0;
    const std::vector<Rgb> colors = {{200, 10, 20}, {0, 128, 255}, {1, 2, 3}};

    // 24 bits, 3 pixels wide: 3 padding bytes per stored row, 9 bytes per row kept.
    std::string f24 = path("d24.bmp");
    writeFile(f24, makeBmp(3, 2, 24, colors, [](int x, int y) { return (x + y) % 3; }));
    QVERIFY(PdfWriter::ReadBMPFile(f24, 0, px, pal, w, h, d));
    QCOMPARE(w, 3);
    QCOMPARE(h, 2);
    QCOMPARE(d, 24);
    // Rows as stored: the bottom row (y = 1) first.
    QCOMPARE(px, std::vector<std::uint8_t>({0, 128, 255, 1, 2, 3, 200, 10, 20, 200, 10, 20, 0, 128, 255, 1, 2, 3}));
    QVERIFY(pal.empty());
    QVERIFY(PdfWriter::ReadBMPFile(f24, 1, px, pal, w, h, d));
    // Gray: r * 0.33 + g * 0.59 + b * 0.11, rounded: 200,10,20 -> 74.1; 0,128,255 -> 103.57; 1,2,3 -> 1.84.
    QCOMPARE(px, std::vector<std::uint8_t>({104, 2, 74, 74, 104, 2}));

    // 8 bits, odd width: the palette as RGB triples, one byte per pixel.
    std::string f8 = path("d8.bmp");
    writeFile(f8, makeBmp(5, 2, 8, colors, [](int x, int y) { return y == 0 ? x % 3 : 2; }));
    QVERIFY(PdfWriter::ReadBMPFile(f8, 0, px, pal, w, h, d));
    QCOMPARE(d, 8);
    QCOMPARE(pal.size(), std::size_t(256 * 3));
    QCOMPARE(std::vector<std::uint8_t>(pal.begin(), pal.begin() + 9),
             std::vector<std::uint8_t>({200, 10, 20, 0, 128, 255, 1, 2, 3}));
    QCOMPARE(px, std::vector<std::uint8_t>({2, 2, 2, 2, 2, 0, 1, 2, 0, 1}));
    QVERIFY(PdfWriter::ReadBMPFile(f8, 7, px, pal, w, h, d));
    QCOMPARE(pal.size(), std::size_t(256));
    QCOMPARE(pal[1], std::uint8_t(104));

    // 4 bits: two pixels per byte, 7 wide -> 4 bytes per row.
    std::string f4 = path("d4.bmp");
    writeFile(f4, makeBmp(7, 1, 4, colors, [](int x, int) { return x % 3; }));
    QVERIFY(PdfWriter::ReadBMPFile(f4, 0, px, pal, w, h, d));
    QCOMPARE(pal.size(), std::size_t(16 * 3));
    QCOMPARE(px, std::vector<std::uint8_t>({0x01, 0x20, 0x12, 0x00}));

    // Larger information headers (as newer tools write them) put the palette
    // further on; a short palette ("colours used") is padded with black.
    auto set32 = [](std::string& s, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            s[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const std::string base8 = makeBmp(3, 1, 8, colors, [](int x, int) { return x; });
    std::string v5 = base8;
    v5.insert(54, std::string(84, '\0'));
    set32(v5, 14, 124);
    set32(v5, 10, 54 + 84 + 1024);
    std::string shortPal = base8;
    shortPal.erase(54 + 3 * 4, 253 * 4);
    set32(shortPal, 46, 3);
    set32(shortPal, 10, 54 + 3 * 4);
    for (const std::string& bytes : {v5, shortPal}) {
        std::string f = path("hdr.bmp");
        writeFile(f, bytes);
        QVERIFY(PdfWriter::ReadBMPFile(f, 0, px, pal, w, h, d));
        QCOMPARE(px, std::vector<std::uint8_t>({0, 1, 2}));
        QCOMPARE(pal.size(), std::size_t(768));
        QCOMPARE(std::vector<std::uint8_t>(pal.begin(), pal.begin() + 12),
                 std::vector<std::uint8_t>({200, 10, 20, 0, 128, 255, 1, 2, 3, 0, 0, 0}));
    }

    // 1 bit, widths whose rows need 5 bytes and 1 byte: rows are padded to
    // four bytes whatever the width.
    for (int width : {33, 1, 35, 40}) {
        std::string f1 = path("d1.bmp");
        writeFile(f1, makeBmp(width, 3, 1, colors, [](int x, int y) { return (x == 0 || x == 32) && y != 1; }));
        QVERIFY(PdfWriter::ReadBMPFile(f1, 0, px, pal, w, h, d));
        const std::size_t row = static_cast<std::size_t>((width + 7) / 8);
        QCOMPARE(px.size(), row * 3);
        for (std::size_t r = 0; r < 3; ++r) {
            const std::uint8_t want = r == 1 ? 0 : 0x80;
            QCOMPARE(px[r * row], want);
            if (width > 32)
                QCOMPARE(px[r * row + 4], want);
        }
        QCOMPARE(pal.size(), std::size_t(6));
    }
}

void TestPdfWriter::badBitmapsFailCleanly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const std::vector<Rgb> colors = {{255, 0, 0}, {0, 0, 255}};
    const std::string good24 = makeBmp(4, 4, 24, colors, [](int x, int) { return x % 2; });
    const std::string good8 = makeBmp(4, 4, 8, colors, [](int x, int) { return x % 2; });
    auto patched = [](std::string s, std::size_t at, std::uint32_t v, int bytes = 4) {
        for (int i = 0; i < bytes; ++i)
            s[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return QByteArray::fromStdString(s);
    };
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("not BM") << patched(good24, 0, 'P' | ('K' << 8), 2);
    QTest::newRow("header cut") << QByteArray::fromStdString(good24.substr(0, 30));
    QTest::newRow("pixels cut") << QByteArray::fromStdString(good24.substr(0, good24.size() - 1));
    QTest::newRow("palette cut") << QByteArray::fromStdString(good8.substr(0, 54 + 100));
    QTest::newRow("width larger than the file") << patched(good24, 18, 5000);
    QTest::newRow("height larger than the file") << patched(good24, 22, 5000);
    QTest::newRow("absurd width") << patched(good24, 18, 0x7FFFFFFF);
    QTest::newRow("absurd both") << patched(patched(good24, 18, 0x10000).toStdString(), 22, 0x10000);
    QTest::newRow("negative width") << patched(good24, 18, static_cast<std::uint32_t>(-4));
    QTest::newRow("negative height (top-down)") << patched(good24, 22, static_cast<std::uint32_t>(-4));
    QTest::newRow("zero width") << patched(good24, 18, 0);
    QTest::newRow("data offset past the end") << patched(good24, 10, 0xFFFFFFF0u);
    QTest::newRow("16 bits") << patched(good24, 28, 16, 2);
    QTest::newRow("32 bits") << patched(good24, 28, 32, 2);
    QTest::newRow("2 bits") << patched(good8, 28, 2, 2);
    QTest::newRow("0 bits") << patched(good8, 28, 0, 2);
    QTest::newRow("run-length compressed") << patched(good8, 30, 1);
    QTest::newRow("core header") << patched(good24, 14, 12);
    QTest::newRow("huge info header") << patched(good8, 14, 0xFFFFFF00u);
}

void TestPdfWriter::badBitmapsFailCleanly()
{
    QFETCH(QByteArray, bytes);
    std::string bmp = path("bad.bmp");
    writeFile(bmp, bytes.toStdString());
    std::vector<std::uint8_t> px{1}, pal{2};
    std::int32_t w = -1, h = -1, d = -1;
    QVERIFY(!PdfWriter::ReadBMPFile(bmp, 0, px, pal, w, h, d));
    QCOMPARE(w, -1); // nothing handed back
    QCOMPARE(px, std::vector<std::uint8_t>{1});

    std::string file = path("bad.pdf");
    PdfWriter pw;
    pw.InitPDFFile(file);
    QVERIFY(!pw.LoadImgFromBMPFile("Img", bmp));
    pw.ClosePDFFile();
    const std::string pdf = readFile(file);
    QVERIFY(pdf.find("/XObject") == std::string::npos);
    QVERIFY(pdf.find("0 5\r\n") != std::string::npos); // no object allocated
}

void TestPdfWriter::imageObjects()
{
    // Not a bitmap at all, missing and unreadable files.
    PdfWriter w;
    std::string file = path("images.pdf");
    w.InitPDFFile(file);
    QVERIFY(!w.LoadImgFromBMPFile("X", path("missing.bmp")));
    QVERIFY_THROWS_EXCEPTION(std::system_error, w.LoadImgFromBMPFile("X", dir()));

    const std::vector<std::uint8_t> rgb = {10, 20, 30, 40, 50, 60};
    w.LoadImgFromArray("I24", rgb, {}, 2, 1, 24);
    w.LoadImgFromArray("I1", {0x80}, {255, 0, 0, 0, 0, 255}, 1, 1, 1);
    w.LoadImgFromArray("G8", {0, 0, 0, 0, 1}, {0, 0, 0, 0}, 5, 1, 8, 1);
    w.ClosePDFFile();
    const std::string pdf = readFile(file);
    const std::string i24 =
        BYTES("5 0 obj\r\n<<\r/Type /XObject\r/Subtype /Image\r/Name /I24\r/Width 2\r/Height 1\r\n"
              "/BitsPerComponent 8\r/ColorSpace /DeviceRGB\r/Length 6 0 R\r\n"
              ">>\rstream\r\n\x0a\x14\x1e\x28\x32\x3c\rendstream\r\nendobj\r\n6 0 obj\r\n6\r\nendobj\r\n");
    QVERIFY(pdf.find(i24) != std::string::npos);
    const std::string i1 =
        BYTES("7 0 obj\r\n<<\r/Type /XObject\r/Subtype /Image\r/Name /I1\r/Width 1\r/Height 1\r\n"
              "/BitsPerComponent 1\r/ColorSpace [/Indexed /DeviceRGB 1 9 0 R]\r/Length 8 0 R\r\n"
              ">>\rstream\r\n\x80\rendstream\r\nendobj\r\n8 0 obj\r\n1\r\nendobj\r\n"
              "9 0 obj\r\n<</Length 6 >>\rstream\r\n\xff\x00\x00\x00\x00\xff\rendstream\r\nendobj\r\n");
    QVERIFY(pdf.find(i1) != std::string::npos);
    QVERIFY(pdf.find("/ColorSpace [/Indexed /DeviceGray 255 12 0 R]") != std::string::npos);
    QVERIFY(pdf.find("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r/XObject <<\r/I24 5 0 R \r/I1 7 0 R \r/G8 10 0 R "
                     "\r\r>>\r") != std::string::npos);
    expectQpdfClean(file);

    // ASCII85: the filter is declared and the length counts the end marker.
    std::string file85 = path("images85.pdf");
    PdfWriter e;
    e.EncodeASCII85(true);
    e.InitPDFFile(file85);
    e.LoadImgFromArray("Z", {0, 0, 0, 0, 7, 0, 0, 0, 0}, {1, 2, 3, 4, 5, 6}, 9, 1, 8);
    e.ClosePDFFile();
    const std::string pdf85 = readFile(file85);
    QVERIFY(pdf85.find("/Height 1\r/Filter /ASCII85Decode\r\n/BitsPerComponent 8\r") != std::string::npos);
    QVERIFY(pdf85.find(">>\rstream\r\nz#64`(!!~>\rendstream\r\nendobj\r\n6 0 obj\r\n10\r\n") != std::string::npos);
    QVERIFY(pdf85.find("<</Filter /ASCII85Decode\r/Length 10 >>\rstream\r\n!<N?+\"U4~>\rendstream") !=
            std::string::npos);
    expectQpdfClean(file85);
}

void TestPdfWriter::formObjectsStamped_data()
{
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("pages"); // pages 1..7 that show the form
    QTest::newRow("none") << 0 << "";
    QTest::newRow("even") << 2 << "246";
    QTest::newRow("odd") << 4 << "1357";
    QTest::newRow("odd but the first") << 12 << "357";
    QTest::newRow("every page") << 7 << "1234567";
    QTest::newRow("every page, bit 8 ignored") << 15 << "1234567";
    QTest::newRow("even, bit 8 alone") << 10 << "246";
}

void TestPdfWriter::formObjectsStamped()
{
    QFETCH(int, options);
    QFETCH(QString, pages);
    std::string file = path("forms.pdf");
    PdfWriter w;
    w.ScaleMode(3);
    w.Margin(1);
    w.InitPDFFile(file);
    w.StartObject("Footers", options);
    w.MoveTo(1, 1);
    w.LineTo(20, 1);
    w.EndObject();
    for (int p = 1; p <= 7; ++p) {
        w.BeginPage();
        w.EndPage();
    }
    w.ClosePDFFile();
    const std::string pdf = readFile(file);
    QString got;
    for (int p = 1; p <= 7; ++p) {
        const std::string c = pageContent(pdf, p);
        if (c == "/Footers Do\r\n")
            got += QString::number(p);
        else
            QCOMPARE(c, std::string());
    }
    QCOMPARE(got, pages);
    const std::string form =
        "5 0 obj\r\n<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /Footers\r"
        "/BBox [28.346 28.346 566.854 813.654]\r/Matrix [1 0 0 1 0 0]\r/Length 6 0 R >>\rstream\r\n"
        "28.346 28.346 m\r\n566.929 28.346 l\r\nS\r\nendstream\r\nendobj\r\n6 0 obj\r\n38\r\nendobj\r\n";
    QVERIFY2(pdf.find(form) != std::string::npos, pdf.c_str());
    QVERIFY(pdf.find("/XObject <<\r\r/Footers 5 0 R \r>>\r") != std::string::npos);
    expectQpdfClean(file);
}

// ---------------------------------------------------------------------------
// Whole documents read by other tools
// ---------------------------------------------------------------------------

void TestPdfWriter::qpdfAcceptsEveryKind()
{
    const std::vector<Rgb> colors = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 10, 10}};
    std::map<int, std::string> bmps;
    for (int depth : {1, 4, 8, 24}) {
        bmps[depth] = path(("kind" + std::to_string(depth) + ".bmp").c_str());
        writeFile(bmps[depth], makeBmp(11, 7, depth, colors,
                                       [depth](int x, int y) { return depth == 1 ? (x + y) % 2 : (x * y) % 4; }));
    }
    for (bool a85 : {false, true}) {
        for (int cs : {0, 1}) {
            std::string file = path(("kind_" + std::to_string(a85) + std::to_string(cs) + ".pdf").c_str());
            PdfWriter w;
            w.EncodeASCII85(a85);
            w.Title("Every kind");
            w.ScaleMode(2);
            w.Orientation(cs);
            w.InitPDFFile(file);
            std::string fonts[] = {"Times New Roman", "Arial", "Courier New", "Symbol"};
            for (int i = 0; i < 4; ++i)
                w.LoadFont("F" + std::to_string(i), fonts[i], i);
            std::string std1 = "Helvetica";
            w.LoadFontStandard("S", std1, 1);
            for (auto& [depth, bmp] : bmps)
                QVERIFY(w.LoadImgFromBMPFile("I" + std::to_string(depth), bmp, cs));
            w.StartObject("Foot", 7);
            float x = 100;
            w.DrawText(x, 10, "footer", "F0", 10, 1);
            w.EndObject();
            for (int p = 0; p < 2; ++p) {
                w.BeginPage();
                for (int i = 0; i < 4; ++i) {
                    float tx = 20;
                    w.DrawText(tx, 250 - 10.0f * i, "Text (" + std::to_string(i) + ")", "F" + std::to_string(i), 12);
                }
                for (auto& [depth, bmp] : bmps)
                    w.DrawImg("I" + std::to_string(depth), 20 + depth * 5.0f, 150, 20, 15);
                float r = 3;
                w.Rectangle(10, 10, 50, 30, 7, r);
                w.Arc(100, 50, 20, 0, 270, 0.5f, 15, 5, 5);
                w.DrawCircle(150, 50, 10, 3);
                w.EndPage();
            }
            w.ClosePDFFile();
            expectQpdfClean(file);
        }
    }
}

void TestPdfWriter::renderedPage()
{
    // One page in points: text in every font, shapes, and a picture of every
    // depth whose four quadrants differ, so a flipped or shifted picture shows.
    const std::vector<Rgb> colors = {{255, 0, 0}, {0, 160, 0}, {0, 0, 255}, {240, 200, 0}};
    auto quadrant = [](int w, int h) {
        return [w, h](int x, int y) { return (x * 2 >= w ? 1 : 0) + (y * 2 >= h ? 2 : 0); };
    };
    struct Pic {
        int depth, w, h;
        float x, y; // upper-left corner on the page
    };
    // Widths chosen for their padding: 33 needs 5 of 8 bytes per 1-bit row.
    const Pic pics[] = {{1, 33, 20, 40, 500}, {4, 7, 6, 180, 500}, {8, 5, 4, 320, 500}, {24, 3, 2, 460, 500}};
    const float side = 100;

    std::string file = path("render.pdf");
    PdfWriter w;
    w.Title("Render");
    w.InitPDFFile(file);
    std::string fonts[] = {"Times New Roman", "Arial", "Courier New", "Symbol"};
    for (int i = 0; i < 4; ++i)
        w.LoadFont("F" + std::to_string(i), fonts[i], i);
    std::string std1 = "Courier New";
    w.LoadFontStandard("S", std1, 3);
    for (const Pic& p : pics) {
        std::string bmp = path(("pic" + std::to_string(p.depth) + ".bmp").c_str());
        std::vector<Rgb> pal = colors;
        if (p.depth == 1)
            pal = {colors[0], colors[2]}; // two colours: top-left quarter red, the rest blue
        auto q = quadrant(p.w, p.h);
        writeFile(bmp, makeBmp(p.w, p.h, p.depth, pal,
                               [&](int x, int y) { return p.depth == 1 ? (q(x, y) == 0 ? 0 : 1) : q(x, y); }));
        QVERIFY(w.LoadImgFromBMPFile("P" + std::to_string(p.depth), bmp));
    }
    // A first pixel byte of 10 (LF) must not be taken for part of the line end.
    std::vector<std::uint8_t> lf(12 * 12, 10);
    std::vector<std::uint8_t> lfPal(256 * 3, 0);
    lfPal[30] = 255; // index 10: red
    w.LoadImgFromArray("LF", lf, lfPal, 12, 12, 8);
    w.BeginPage();
    const char* texts[] = {"Times Roman words", "Arial Bold words", "Courier Italic words", "Symbol"};
    for (int i = 0; i < 4; ++i) {
        float x = 40;
        w.DrawText(x, 780 - 30.0f * i, texts[i], "F" + std::to_string(i), 18);
    }
    float sx = 40;
    w.DrawText(sx, 660, "Standard Courier", "S", 18);
    float rx = 560;
    w.DrawText(rx, 300, "Upright", "F0", 14, 0, 90);
    for (const Pic& p : pics)
        w.DrawImg("P" + std::to_string(p.depth), p.x, p.y, side, side);
    w.DrawImg("LF", 40, 200, 60, 60);
    w.SetColorFill(0x00FF00); // green
    w.Rectangle(200, 150, 100, 50, 4);
    w.SetColorFill(0xFF0000); // blue
    w.DrawCircle(400, 175, 30, 5);
    w.SetColorStroke(0);
    w.SetLineWidth(2);
    w.Arc(480, 175, 30, 0, 360, 0.5f, 45);
    w.EndPage();
    w.ClosePDFFile();
    expectQpdfClean(file);

    const QString prefix = tmp_.path() + QStringLiteral("/render");
    ToolResult r =
        runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-singlefile"),
                                             QString::fromStdString(file), prefix});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    Ppm img;
    QVERIFY(readPpm((prefix + QStringLiteral(".ppm")).toStdString(), img));
    QCOMPARE(img.height, 842);
    auto px = [&](float x, float y) { return img.at(static_cast<int>(x), static_cast<int>(842 - y)); };

    for (const Pic& p : pics) {
        const float l = p.x + side * 0.25f, rgt = p.x + side * 0.75f;
        const float top = p.y - side * 0.25f, bottom = p.y - side * 0.75f;
        const Rgb tl = px(l, top), tr = px(rgt, top), bl = px(l, bottom), br = px(rgt, bottom);
        const QString where = QStringLiteral("depth %1: ").arg(p.depth);
        if (p.depth == 1) {
            QVERIFY2(near(tl, colors[0]), qPrintable(where + rgbText(tl)));
            for (const Rgb& c : {tr, bl, br})
                QVERIFY2(near(c, colors[2]), qPrintable(where + rgbText(c)));
        } else {
            QVERIFY2(near(tl, colors[0]), qPrintable(where + "top left " + rgbText(tl)));
            QVERIFY2(near(tr, colors[1]), qPrintable(where + "top right " + rgbText(tr)));
            QVERIFY2(near(bl, colors[2]), qPrintable(where + "bottom left " + rgbText(bl)));
            QVERIFY2(near(br, colors[3]), qPrintable(where + "bottom right " + rgbText(br)));
        }
        // Nothing drawn just outside the picture.
        QVERIFY(near(px(p.x + side / 2, p.y + 5), {255, 255, 255}, 5));
        QVERIFY(near(px(p.x + side / 2, p.y - side - 5), {255, 255, 255}, 5));
    }
    QVERIFY2(near(px(70, 170), {255, 0, 0}), qPrintable(rgbText(px(70, 170))));
    QVERIFY(near(px(250, 175), {0, 255, 0}));
    QVERIFY(near(px(400, 175), {0, 0, 255}));

    ToolResult t = runTool(QStringLiteral("pdftotext"),
                           {QStringLiteral("-layout"), QString::fromStdString(file), QStringLiteral("-")});
    QCOMPARE(t.exitCode, 0);
    for (const char* s :
         {"Times Roman words", "Arial Bold words", "Courier Italic words", "Symbol", "Standard Courier", "Upright"})
        QVERIFY2(t.out.contains(s), qPrintable(QString::fromUtf8(t.out)));
}

QTEST_GUILESS_MAIN(TestPdfWriter)
#include "tst_pdfwriter.moc"
