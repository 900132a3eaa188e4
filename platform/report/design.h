#pragma once
// Report designs: one JSON file per report, kept in forms/reports/ and built
// into the program ("vam_chap" is forms/reports/vam_chap.json). Code loads a
// design, fills its named captions, binds its data set and previews it.
//
// Measures are millimetres; every key but "bands" may be left out.
//
//   {
//     "caption": "...",                        title of the preview window
//     "page": {
//       "size": "A4",                          "A4", "A5" or [width, height] held upright
//       "orientation": "portrait",             or "landscape"
//       "margins": 10                          one for all sides, or some of
//     },                                       {"top", "bottom", "left", "right"} (10 each unless given)
//     "font": {"family": "Titr", "size": 12},  default font of the texts, see Fonts
//     "rightToLeft": true,                     default reading direction of the texts
//     "bands": {
//       "detail": {                            title, pageHeader, columnHeader, detail,
//         "height": 53.7,                      summary, pageFooter (report.h says where each prints)
//         "font": {"size": 10},                default font of the band's texts
//         "elements": [ ... ]                  painted in this order
//       }
//     }
//   }
//
// Every element has "type", a "rect" [left, top, width, height] measured from
// its band's top-left corner, and may have a "name" (unique in the report, by
// which code finds it) and "enabled" (false: not printed until code enables it).
//
//   label      "text", and the text keys below
//   memo       "text": several lines, from the top of the box, cut at its edges
//   dbtext     "field": the field of the data set's current row
//   rownumber  "start": the running number of the detail row, from start (1)
//   image      "file" (beside the design, or a path), "stretch" (true: fill the box;
//              false: scaled to fit and centred)
//   frame      a rectangle: "pen" (rule width, 0.25), "color", "fill" (a filled box)
//   shape      "shape": "rectangle", "hline" or "vline" (a rule across the middle
//              of the box), and the keys of frame
//
// Text keys: "font"; "color", "background" (names or #rrggbb); "align": "right",
// "left" or "center" (where the text sits on the paper; right unless given);
// "valign": "top", "middle" or "bottom" (middle; a memo's top); "rightToLeft";
// "wrap" (a text of several lines); "autoSize" (the box takes the text's width,
// or when wrapped its lines' height, keeping the edge it is aligned to); "clip"
// (cut at the box). A text that does not fit its box is broken into lines and
// made smaller until it fits (elements.h); "frame": "all", "none" or some of ["left", "top", "right", "bottom"],
// with "frameWidth" (0.25).
// Fonts: "family", "size" (points), "bold", "italic", "underline"; what is not
// given comes from the band's font, then the report's (Nazli 10, elements.h).
// A family without some letters prints them in Nazli, the body's family; a
// family not installed prints in Nazli throughout.
//
// Element types of other folders (the barcode elements) are registered with
// registerType; the loader gives them name, rect and enabled, the factory the
// rest of the element's keys.

#include "platform/report/report.h"

#include <QJsonObject>
#include <QStringList>
#include <functional>
#include <memory>

namespace ReportDesign {

// A design built into the program by name, or a design file by path. None,
// with the reason in error, when it cannot be read or does not follow the format.
std::unique_ptr<Report> load(const QString& nameOrPath, QString* error = nullptr);
// A design from its JSON text; pictures are looked up in folder.
std::unique_ptr<Report> parse(const QByteArray& json, const QString& folder,
                              QString* error = nullptr);

// Makes an element of a registered type from its own keys; none, with the
// reason in error, when the keys are wrong.
using Factory = std::function<std::unique_ptr<TReportPrintable>(const QJsonObject& keys,
                                                                 QString* error)>;
void registerType(const QString& type, Factory factory);

// For factories: false, with the key named in error, when keys holds a key not in allowed.
bool onlyKeys(const QJsonObject& keys, const QStringList& allowed, QString* error);

} // namespace ReportDesign
