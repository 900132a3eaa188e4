#include "design.h"

#include "elements.h"
#include "platform/image/picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace ReportDesign {
namespace {

QHash<QString, Factory>& factories()
{
    static QHash<QString, Factory> registered;
    return registered;
}

// A fault in a design, with where it is.
struct Fault {
    QString text;
};

const QStringList ElementKeys = {"type", "name", "rect", "enabled"};
const QStringList TextKeys = {"font", "color", "background", "align", "valign", "rightToLeft",
                              "wrap", "autoSize", "clip", "frame", "frameWidth"};
const QStringList ShapeKeys = {"pen", "color", "fill"};

const QHash<QString, BandKind>& bandKinds()
{
    static const QHash<QString, BandKind> kinds = {
        {"title", BandKind::Title},     {"pageHeader", BandKind::PageHeader},
        {"columnHeader", BandKind::ColumnHeader}, {"detail", BandKind::Detail},
        {"summary", BandKind::Summary}, {"pageFooter", BandKind::PageFooter},
    };
    return kinds;
}

class Parser {
public:
    explicit Parser(QString folder) : m_folder(std::move(folder)) {}

    std::unique_ptr<Report> report(const QJsonObject& root)
    {
        auto r = std::make_unique<Report>();
        m_where = QStringLiteral("design");
        keys(root, {"caption", "page", "font", "rightToLeft", "bands"});
        r->caption = root.value("caption").toString();
        if (root.contains("page"))
            page(object(root, "page"), r->page);
        QFont font = reportFont(ReportTextFamily, 10);
        if (root.contains("font"))
            font = this->font(root.value("font"), font);
        const bool rtl = boolean(root, "rightToLeft", true);

        const QJsonObject bands = object(root, "bands");
        for (auto it = bands.begin(); it != bands.end(); ++it) {
            m_where = "bands." + it.key();
            if (!bandKinds().contains(it.key()))
                fail(QStringLiteral("no such band"));
            if (!it.value().isObject())
                fail(QStringLiteral("a band is an object"));
            band(*r, bandKinds().value(it.key()), it.value().toObject(), font, rtl);
        }
        return r;
    }

private:
    [[noreturn]] void fail(const QString& what) const { throw Fault{m_where + ": " + what}; }

    void keys(const QJsonObject& o, const QStringList& allowed) const
    {
        QString error;
        if (!onlyKeys(o, allowed, &error))
            fail(error);
    }

    QJsonObject object(const QJsonObject& o, const QString& key) const
    {
        if (!o.value(key).isObject())
            fail("\"" + key + "\" must be an object");
        return o.value(key).toObject();
    }

    double number(const QJsonObject& o, const QString& key, double fallback) const
    {
        if (!o.contains(key))
            return fallback;
        if (!o.value(key).isDouble())
            fail("\"" + key + "\" must be a number");
        return o.value(key).toDouble();
    }

    bool boolean(const QJsonObject& o, const QString& key, bool fallback) const
    {
        if (!o.contains(key))
            return fallback;
        if (!o.value(key).isBool())
            fail("\"" + key + "\" must be true or false");
        return o.value(key).toBool();
    }

    QString string(const QJsonObject& o, const QString& key, const QString& fallback = {}) const
    {
        if (!o.contains(key))
            return fallback;
        if (!o.value(key).isString())
            fail("\"" + key + "\" must be a text");
        return o.value(key).toString();
    }

    QString choice(const QJsonObject& o, const QString& key, const QStringList& allowed,
                   const QString& fallback) const
    {
        const QString v = string(o, key, fallback);
        if (!allowed.contains(v))
            fail("\"" + key + "\" must be one of " + allowed.join(", "));
        return v;
    }

    QColor color(const QJsonObject& o, const QString& key, const QColor& fallback) const
    {
        if (!o.contains(key))
            return fallback;
        const QColor c(string(o, key));
        if (!c.isValid())
            fail("\"" + key + "\" is not a colour");
        return c;
    }

    void page(const QJsonObject& o, ReportPage& p) const
    {
        keys(o, {"size", "orientation", "margins"});
        const QJsonValue size = o.value("size");
        if (size.isString()) {
            if (size.toString() == "A4")
                p.size = ReportPage::a4();
            else if (size.toString() == "A5")
                p.size = ReportPage::a5();
            else
                fail(QStringLiteral("\"size\" is \"A4\", \"A5\" or [width, height]"));
        } else if (!size.isUndefined()) {
            const QList<double> v = numbers(size, 2, "size");
            p.size = QSizeF(v[0], v[1]);
        }
        p.orientation = choice(o, "orientation", {"portrait", "landscape"}, "portrait") == "landscape"
            ? QPageLayout::Landscape : QPageLayout::Portrait;
        const QJsonValue m = o.value("margins");
        if (m.isDouble()) {
            const double all = m.toDouble();
            p.margins = QMarginsF(all, all, all, all);
        } else if (m.isObject()) {
            const QJsonObject sides = m.toObject();
            keys(sides, {"top", "bottom", "left", "right"});
            p.margins = QMarginsF(number(sides, "left", 10), number(sides, "top", 10),
                                  number(sides, "right", 10), number(sides, "bottom", 10));
        } else if (!m.isUndefined()) {
            fail(QStringLiteral("\"margins\" is a number or an object"));
        }
        const QSizeF paper = p.paper();
        if (p.size.width() <= 0 || p.size.height() <= 0
            || p.margins.left() + p.margins.right() >= paper.width()
            || p.margins.top() + p.margins.bottom() >= paper.height())
            fail(QStringLiteral("the margins leave no room on the paper"));
    }

    QList<double> numbers(const QJsonValue& v, int count, const QString& key) const
    {
        const QJsonArray a = v.toArray();
        QList<double> out;
        for (const QJsonValue& x : a)
            if (x.isDouble())
                out << x.toDouble();
        if (!v.isArray() || a.size() != count || out.size() != count)
            fail("\"" + key + "\" must be " + QString::number(count) + " numbers");
        return out;
    }

    QFont font(const QJsonValue& v, QFont f) const
    {
        if (!v.isObject())
            fail(QStringLiteral("\"font\" must be an object"));
        const QJsonObject o = v.toObject();
        keys(o, {"family", "size", "bold", "italic", "underline"});
        if (o.contains("family")) {
            const QFont family = reportFont(string(o, "family"), 10);
            f.setFamilies(family.families());
        }
        if (o.contains("size")) {
            const double size = number(o, "size", 10);
            if (size <= 0)
                fail(QStringLiteral("a font's size must be above 0"));
            f.setPointSizeF(size);
        }
        f.setBold(boolean(o, "bold", f.bold()));
        f.setItalic(boolean(o, "italic", f.italic()));
        f.setUnderline(boolean(o, "underline", f.underline()));
        return f;
    }

    void band(Report& r, BandKind kind, const QJsonObject& o, QFont font, bool rtl)
    {
        keys(o, {"height", "font", "elements"});
        if (!o.value("height").isDouble() || o.value("height").toDouble() < 0)
            fail(QStringLiteral("\"height\" must be a number, 0 or more"));
        ReportBand& b = r.addBand(kind, o.value("height").toDouble());
        if (o.contains("font"))
            font = this->font(o.value("font"), font);
        if (o.contains("elements") && !o.value("elements").isArray())
            fail(QStringLiteral("\"elements\" must be a list"));
        const QJsonArray elements = o.value("elements").toArray();
        const QString bandWhere = m_where;
        for (int i = 0; i < elements.size(); ++i) {
            m_where = bandWhere + ".elements[" + QString::number(i) + "]";
            if (!elements[i].isObject())
                fail(QStringLiteral("an element is an object"));
            const QJsonObject e = elements[i].toObject();
            if (e.value("name").isString())
                m_where += " (" + e.value("name").toString() + ")";
            b.add(element(e, font, rtl));
        }
    }

    std::unique_ptr<TReportPrintable> element(const QJsonObject& o, const QFont& font, bool rtl)
    {
        const QString type = string(o, "type");
        std::unique_ptr<TReportPrintable> e;
        if (type == "label" || type == "memo" || type == "dbtext" || type == "rownumber")
            e = text(type, o, font, rtl);
        else if (type == "image")
            e = image(o);
        else if (type == "frame" || type == "shape")
            e = shape(type, o);
        else if (factories().contains(type))
            e = registered(type, o);
        else
            fail("no such element type \"" + type + "\"");

        const QString name = string(o, "name");
        if (!name.isEmpty()) {
            if (m_names.contains(name))
                fail(QStringLiteral("the name is used twice"));
            m_names.insert(name);
        }
        e->setName(name);
        const QList<double> rect = numbers(o.value("rect"), 4, "rect");
        if (rect[2] < 0 || rect[3] < 0)
            fail(QStringLiteral("a width or height below 0"));
        e->Size = ReportSize{rect[0], rect[1], rect[2], rect[3]};
        e->Enabled = boolean(o, "enabled", true);
        return e;
    }

    std::unique_ptr<TReportPrintable> text(const QString& type, const QJsonObject& o,
                                           const QFont& font, bool rtl)
    {
        std::unique_ptr<ReportText> t;
        QStringList allowed = ElementKeys + TextKeys;
        if (type == "label" || type == "memo") {
            allowed << "text";
            auto label = type == "memo" ? std::make_unique<ReportMemo>() : std::make_unique<ReportLabel>();
            label->Caption = string(o, "text");
            t = std::move(label);
        } else if (type == "dbtext") {
            allowed << "field";
            t = std::make_unique<ReportDBText>(QString(), string(o, "field"));
        } else {
            allowed << "start";
            auto number = std::make_unique<ReportRowNumber>();
            number->Start = int(this->number(o, "start", 1));
            t = std::move(number);
        }
        keys(o, allowed);
        t->font = o.contains("font") ? this->font(o.value("font"), font) : font;
        t->color = color(o, "color", t->color);
        t->background = color(o, "background", t->background);
        t->rightToLeft = boolean(o, "rightToLeft", rtl);
        t->wordWrap = boolean(o, "wrap", t->wordWrap);
        t->autoSize = boolean(o, "autoSize", t->autoSize);
        t->clip = boolean(o, "clip", t->clip);

        static const QHash<QString, Qt::Alignment> horizontal = {
            {"right", Qt::AlignRight}, {"left", Qt::AlignLeft}, {"center", Qt::AlignHCenter}};
        static const QHash<QString, Qt::Alignment> vertical = {
            {"top", Qt::AlignTop}, {"middle", Qt::AlignVCenter}, {"bottom", Qt::AlignBottom}};
        const QString h = choice(o, "align", horizontal.keys(), "right");
        const QString v = choice(o, "valign", vertical.keys(), type == "memo" ? "top" : "middle");
        t->alignment = horizontal.value(h) | vertical.value(v);

        t->frame = frame(o);
        return t;
    }

    ReportFrame frame(const QJsonObject& o) const
    {
        ReportFrame f;
        f.width = number(o, "frameWidth", f.width);
        const QJsonValue v = o.value("frame");
        if (v.isUndefined() || v.toString() == "none")
            return f;
        if (v.toString() == "all") {
            ReportFrame all = ReportFrame::all();
            all.width = f.width;
            return all;
        }
        if (!v.isArray())
            fail(QStringLiteral("\"frame\" is \"all\", \"none\" or a list of sides"));
        for (const QJsonValue& side : v.toArray()) {
            const QString s = side.toString();
            if (s == "left")
                f.left = true;
            else if (s == "top")
                f.top = true;
            else if (s == "right")
                f.right = true;
            else if (s == "bottom")
                f.bottom = true;
            else
                fail(QStringLiteral("a frame's sides are left, top, right and bottom"));
        }
        return f;
    }

    std::unique_ptr<TReportPrintable> image(const QJsonObject& o) const
    {
        keys(o, ElementKeys + QStringList{"file", "stretch"});
        auto img = std::make_unique<ReportImage>();
        img->Stretch = boolean(o, "stretch", true);
        const QString file = string(o, "file");
        if (!file.isEmpty()) {
            const QString path = QDir(m_folder).filePath(file);
            img->Picture = Picture::fromFile(path);
            if (img->Picture.isNull())
                fail("the picture \"" + file + "\" cannot be read");
        }
        return img;
    }

    std::unique_ptr<TReportPrintable> shape(const QString& type, const QJsonObject& o) const
    {
        keys(o, ElementKeys + ShapeKeys + (type == "shape" ? QStringList{"shape"} : QStringList{}));
        auto s = std::make_unique<ReportShape>();
        const QString kind = choice(o, "shape", {"rectangle", "hline", "vline"}, "rectangle");
        s->shape = kind == "hline" ? ReportShape::Kind::HorizontalLine
            : kind == "vline"      ? ReportShape::Kind::VerticalLine
                                   : ReportShape::Kind::Rectangle;
        s->penWidth = number(o, "pen", s->penWidth);
        s->penColor = color(o, "color", s->penColor);
        s->fill = color(o, "fill", s->fill);
        return s;
    }

    std::unique_ptr<TReportPrintable> registered(const QString& type, const QJsonObject& o) const
    {
        QJsonObject own = o;
        for (const QString& k : ElementKeys)
            own.remove(k);
        QString error;
        std::unique_ptr<TReportPrintable> e = factories().value(type)(own, &error);
        if (!e)
            fail(error.isEmpty() ? QStringLiteral("the element cannot be made") : error);
        return e;
    }

    QString m_folder;
    QString m_where;
    QSet<QString> m_names;
};

} // namespace

std::unique_ptr<Report> parse(const QByteArray& json, const QString& folder, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        if (error)
            *error = QStringLiteral("design: not a JSON object (%1 at %2)")
                         .arg(parseError.errorString()).arg(parseError.offset);
        return nullptr;
    }
    try {
        return Parser(folder).report(doc.object());
    } catch (const Fault& fault) {
        if (error)
            *error = fault.text;
        return nullptr;
    }
}

std::unique_ptr<Report> load(const QString& nameOrPath, QString* error)
{
    const bool byName = !nameOrPath.contains('/') && !nameOrPath.endsWith(".json");
    const QString path = byName ? ":/reports/" + nameOrPath + ".json" : nameOrPath;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = path + ": " + file.errorString();
        return nullptr;
    }
    std::unique_ptr<Report> report = parse(file.readAll(), QFileInfo(path).absolutePath(), error);
    if (!report && error)
        *error = path + ": " + *error;
    return report;
}

void registerType(const QString& type, Factory factory)
{
    factories().insert(type, std::move(factory));
}

bool onlyKeys(const QJsonObject& keys, const QStringList& allowed, QString* error)
{
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        if (!allowed.contains(it.key())) {
            if (error)
                *error = "unknown key \"" + it.key() + "\"";
            return false;
        }
    }
    return true;
}

} // namespace ReportDesign
