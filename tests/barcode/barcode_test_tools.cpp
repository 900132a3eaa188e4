#include "tests/barcode/barcode_test_tools.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace bctest {

std::string modulePattern(const TBarcode& barcode, std::string_view elements)
{
    std::string out;
    out.reserve(elements.size() * 2);
    for (char c : elements) {
        int width = 0;
        TBarLineType lt{};
        barcode.OneBarProps(c, width, lt);
        const char m = lt == TBarLineType::Space ? '0' : lt == TBarLineType::Bar ? '1' : '2';
        out.append(static_cast<std::size_t>(width), m);
    }
    return out;
}

std::string encodeModules(TBarcode& barcode)
{
    const std::string data = barcode.MakeData();
    return modulePattern(barcode, data);
}

std::string trimTrailingSpaces(std::string pattern)
{
    while (!pattern.empty() && pattern.back() == '0')
        pattern.pop_back();
    return pattern;
}

std::uint64_t Rng::next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::string Rng::digits(int n)
{
    return from("0123456789", n);
}

std::string Rng::from(std::string_view alphabet, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += alphabet[static_cast<std::size_t>(below(static_cast<int>(alphabet.size())))];
    return s;
}

std::string asciiRange(int first, int last, std::string_view leftOut)
{
    std::string s;
    for (int c = first; c <= last; ++c)
        if (leftOut.find(static_cast<char>(c)) == std::string_view::npos)
            s += static_cast<char>(c);
    return s;
}

QString toolPath(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

ToolRun runTool(const QString& program, const QStringList& args)
{
    ToolRun r;
    QProcess p;
    p.start(program, args);
    r.started = p.waitForStarted(10000);
    if (!r.started)
        return r;
    p.closeWriteChannel();
    r.finished = p.waitForFinished(60000);
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

namespace {

std::string hexRowToBits(const QByteArray& line)
{
    std::string bits;
    for (char c : line) {
        int v = -1;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        if (v < 0)
            continue;
        for (int b = 3; b >= 0; --b)
            bits += ((v >> b) & 1) ? '1' : '0';
    }
    return bits;
}

} // namespace

std::vector<std::vector<std::string>> zintRows(const QString& zint, const QString& symbology,
                                               const std::vector<std::string>& inputs,
                                               const QStringList& extraArgs, bool escape,
                                               int rowsPerSymbol, QString* error)
{
    QTemporaryFile file;
    if (!file.open()) {
        *error = QStringLiteral("cannot write the zint input file");
        return {};
    }
    for (const std::string& in : inputs) {
        QByteArray line;
        if (escape) {
            for (unsigned char c : in)
                line += "\\x" + QByteArray::number(c, 16).rightJustified(2, '0').toUpper();
        } else {
            line = QByteArray::fromStdString(in);
        }
        file.write(line + '\n');
    }
    file.close();

    QStringList args{QStringLiteral("--batch"), QStringLiteral("--dump"),
                     QStringLiteral("-b"), symbology, QStringLiteral("-i"), file.fileName()};
    if (escape)
        args << QStringLiteral("--esc");
    args << extraArgs;
    const ToolRun run = runTool(zint, args);
    // Exit codes below 5 are zint's warnings (a PostNet of unusual length, ...).
    if (!run.started || !run.finished || run.exitCode >= 5) {
        *error = QStringLiteral("zint failed (exit %1): %2").arg(run.exitCode).arg(QString::fromUtf8(run.err));
        return {};
    }
    QList<QByteArray> lines = run.out.split('\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (lines.size() != static_cast<qsizetype>(inputs.size()) * rowsPerSymbol) {
        *error = QStringLiteral("zint gave %1 rows for %2 inputs: %3")
                     .arg(lines.size()).arg(inputs.size()).arg(QString::fromUtf8(run.err));
        return {};
    }
    std::vector<std::vector<std::string>> out(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        for (int r = 0; r < rowsPerSymbol; ++r)
            out[i].push_back(hexRowToBits(lines[static_cast<qsizetype>(i) * rowsPerSymbol + r]));
    return out;
}

QStringList zbarSymbols(const QString& imagePath)
{
    const ToolRun run = runTool(toolPath(QStringLiteral("zbarimg")),
                                {QStringLiteral("--nodbus"), QStringLiteral("-q"), imagePath});
    return QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool writePng(const QString& path, const std::string& pattern, int quiet, int height, int scale)
{
    const int margin = quiet * scale;
    const int width = static_cast<int>(pattern.size()) * scale + 2 * margin;
    QImage image(width, height + 2 * margin, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = margin; y < margin + height; ++y) {
        uchar* line = image.scanLine(y);
        for (std::size_t x = 0; x < pattern.size(); ++x)
            if (pattern[x] != '0')
                for (int k = 0; k < scale; ++k)
                    line[margin + static_cast<int>(x) * scale + k] = 0;
    }
    return image.save(path, "PNG");
}

bool upcEStandardForm(std::string_view s)
{
    switch (s[5]) {
    case '3': return s[2] > '2';
    case '4': return s[3] != '0';
    case '0': case '1': case '2': return true;
    default: return s[4] != '0';
    }
}

char upcEStandardCheck(char ns, std::string_view six)
{
    const std::string a = UpcEToUpcA(ns, six);
    int sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += (a[i] - '0') * (i % 2 == 0 ? 3 : 1);  // 11 digits: the first weighs 3
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string code39FullAsciiDecode(std::string_view raw)
{
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if ((c == '$' || c == '%' || c == '/' || c == '+') && i + 1 < raw.size()) {
            const char n = raw[++i];
            switch (c) {
            case '$': out += static_cast<char>(n - 'A' + 1); break;
            case '+': out += static_cast<char>(n - 'A' + 'a'); break;
            case '/': out += n == 'Z' ? ':' : static_cast<char>(n - 'A' + '!'); break;
            case '%':
                if (n <= 'E') out += static_cast<char>(n - 'A' + 27);
                else if (n <= 'J') out += static_cast<char>(n - 'F' + ';');
                else if (n <= 'O') out += static_cast<char>(n - 'K' + '[');
                else if (n <= 'T') out += static_cast<char>(n - 'P' + '{');
                else if (n == 'U') out += '\0';
                else if (n == 'V') out += '@';
                else if (n == 'W') out += '`';
                else out += '\x7F';
                break;
            }
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace bctest
