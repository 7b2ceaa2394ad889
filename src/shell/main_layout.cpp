// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_layout.h"

#include "canvas/accessible_controls.h"

#include "canvas/canvas.h"
#include "canvas/controls.h"
#include "canvas/twips.h"
#include "platform/words.h"
#include "shell/elastic_layout.h"
#include "shell/main_tab.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

namespace tonolog {

namespace {

constexpr double defaultPoints = 9.0;

// Places controls of one container, each at its design rectangle in twips.
class Placer {
public:
    Placer(QWidget* container, ElasticLayout& elastic) : container_(container), elastic_(elastic) {}

    template <class W>
    W* place(W* widget, const QString& name, QRect twipsRect, double points = defaultPoints) {
        widget->setObjectName(name);
        elastic_.add(widget, twipsRect, points);
        return widget;
    }

    Label* label(const QString& name, const QString& text, QRect r, double points = defaultPoints,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
        auto* l = place(new Label(text, container_), name, r, points);
        l->setAlignment(align);
        return l;
    }

    QLineEdit* textBox(const QString& name, QRect r, double points, const QString& tip = QString(),
                       Qt::Alignment align = Qt::AlignLeft) {
        auto* box = place(new QLineEdit(container_), name, r, points);
        box->setAlignment(align | Qt::AlignVCenter);
        box->setToolTip(tip);
        return box;
    }

    ImageButton* image(const QString& name, QRect r, const QString& tip = QString()) {
        auto* b = place(new ImageButton(container_), name, r, 0);
        b->setToolTip(tip);
        return b;
    }

    Canvas* canvas(const QString& name, QRect r) { return place(new Canvas(container_), name, r, 0); }

    ShapeFrame* frame(const QString& name, QRect r) { return place(new ShapeFrame(container_), name, r, 0); }

private:
    QWidget* container_;
    ElasticLayout& elastic_;
};

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

constexpr Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment rightAligned = Qt::AlignRight | Qt::AlignTop;

// Focus runs down one reading's column before it moves to the next reading.
void chainDiaryFocus(DiaryControls& d) {
    QWidget* previous = d.InputName;
    auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    chain(d.InputDate);
    for (std::size_t i = 0; i < 3; ++i) {
        chain(d.InputSys[i]);
        chain(d.InputDia[i]);
        chain(d.InputPul[i]);
        chain(d.InputTime[i]);
    }
    chain(d.InputNote);
}

void buildDiaryPage(QWidget* page, ElasticLayout& elastic, DiaryControls& d) {
    Placer p(page, elastic);
    constexpr double boxPoints = 15.75;
    constexpr double labelPoints = 14.25;
    d.InputName = p.textBox(QStringLiteral("InputName"), {600, 840, 3255, 450}, boxPoints,
                            Tonolog::tr("Input your name"));
    d.LblName =
        p.label(QStringLiteral("LblName"), Tonolog::tr("'s Tonolog"), {4080, 840, 1560, 375}, labelPoints);
    d.LblDate = p.label(QStringLiteral("LblDate"), Tonolog::tr("Date"), {6120, 840, 735, 375}, labelPoints,
                        rightAligned);
    d.InputDate = p.textBox(QStringLiteral("InputDate"), {7080, 840, 2055, 450}, boxPoints,
                            Tonolog::tr("Input date or click right button"));
    d.ImgInputDate =
        p.image(QStringLiteral("ImgInputDate"), {9120, 840, 750, 450}, Tonolog::tr("Input date"));
    d.ImgDiaryLogo = p.image(QStringLiteral("ImgDiaryLogo"), {10260, 60, 1215, 615});
    d.LblDiaryUp = p.label(QStringLiteral("LblDiaryUp"), Tonolog::tr("Previous day"), {10320, 840, 1095, 255},
                           defaultPoints, centred);
    d.ImgDiaryUp =
        p.image(QStringLiteral("ImgDiaryUp"), {10440, 1200, 825, 975}, Tonolog::tr("See previous day"));
    d.ImgDiaryDown =
        p.image(QStringLiteral("ImgDiaryDown"), {10440, 5760, 825, 975}, Tonolog::tr("See next day"));
    d.LblDiaryDown = p.label(QStringLiteral("LblDiaryDown"), Tonolog::tr("Next day"),
                             {10320, 6840, 1095, 255}, defaultPoints, centred);
    for (int i = 0; i < 3; ++i)
        d.LblNum[static_cast<std::size_t>(i)] = p.label(indexed("LblNum", i), QString::number(i + 1),
                                                        {1920 + 3000 * i, 1920, 1935, 375}, labelPoints);
    d.LblSys = p.label(QStringLiteral("LblSys"), Tonolog::tr("SYS."), {600, 2520, 975, 375}, labelPoints);
    d.LblDia = p.label(QStringLiteral("LblDia"), Tonolog::tr("DIA."), {600, 3240, 975, 375}, labelPoints);
    d.LblPul = p.label(QStringLiteral("LblPul"), Tonolog::tr("PUL."), {600, 3960, 975, 375}, labelPoints);
    d.LblTime = p.label(QStringLiteral("LblTime"), Tonolog::tr("TIME"), {600, 4680, 975, 375}, labelPoints);
    d.LblNote = p.label(QStringLiteral("LblNote"), Tonolog::tr("NOTES"), {600, 6240, 975, 375}, labelPoints);
    const QString timeTip = Tonolog::tr("Input time or click right button");
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const int x = 1920 + 3000 * i;
        d.InputSys[k] =
            p.textBox(indexed("InputSys", i), {x, 2520, 1935, 450}, boxPoints, {}, Qt::AlignRight);
        d.InputDia[k] =
            p.textBox(indexed("InputDia", i), {x, 3240, 1935, 450}, boxPoints, {}, Qt::AlignRight);
        d.InputPul[k] =
            p.textBox(indexed("InputPul", i), {x, 3960, 1935, 450}, boxPoints, {}, Qt::AlignRight);
        d.InputTime[k] =
            p.textBox(indexed("InputTime", i), {x, 4680, 1935, 450}, boxPoints, timeTip, Qt::AlignRight);
        d.ImgInputTime[k] = p.image(indexed("ImgInputTime", i), {3840 + 3000 * i, 4680, 750, 450},
                                    Tonolog::tr("Input current time"));
    }
    d.InputNote = p.textBox(QStringLiteral("InputNote"), {1920, 6240, 7935, 450}, boxPoints);

    chainDiaryFocus(d);
}

void buildListRows(Canvas* view, ElasticLayout& elastic, ListControls& l) {
    Placer p(view, elastic);
    constexpr double big = 14.25;
    constexpr double small = 12.0;
    constexpr int pitch = 1560;
    for (int r = 0; r < ListControls::rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        const int y = pitch * r;
        l.LblNumData[row] =
            p.label(indexed("LblNumData", r), QString::number(r + 1), {240, 240 + y, 150, 345}, big);
        l.LblDateData[row] = p.label(indexed("LblDateData", r), QString(), {240, 600 + y, 1095, 615}, small);
        for (int k = 0; k < 3; ++k) {
            const int i = 3 * r + k;
            const auto s = static_cast<std::size_t>(i);
            const int x = 1800 * k;
            l.ShapeSys[s] = p.frame(indexed("ShapeSys", i), {1680 + x, 240 + y, 1815, 1095});
            l.LblSysTitle[s] =
                p.label(indexed("LblSysTitle", i), Tonolog::tr(" S"), {1680 + x, 240 + y, 1215, 375}, big);
            l.LblDiaTitle[s] =
                p.label(indexed("LblDiaTitle", i), Tonolog::tr(" D"), {1680 + x, 600 + y, 1215, 375}, big);
            l.LblPulTitle[s] =
                p.label(indexed("LblPulTitle", i), Tonolog::tr(" P"), {2880 + x, 240 + y, 615, 735}, big);
            l.LblSysData[s] = p.label(indexed("LblSysData", i), QString(), {2160 + x, 240 + y, 615, 375}, big,
                                      rightAligned);
            l.LblDiaData[s] = p.label(indexed("LblDiaData", i), QString(), {2160 + x, 600 + y, 615, 375}, big,
                                      rightAligned);
            l.LblPulData[s] =
                p.label(indexed("LblPulData", i), QString(), {2880 + x, 600 + y, 615, 375}, big, centred);
            l.LblTimeData[s] =
                p.label(indexed("LblTimeData", i), QString(), {1680 + x, 960 + y, 1215, 375}, big);
            l.LblAmpmData[s] =
                p.label(indexed("LblAmpmData", i), QString(), {2880 + x, 960 + y, 615, 375}, big);
        }
        l.ShapeNote[row] = p.frame(indexed("ShapeNote", r), {1680, 1320 + y, 5415, 375});
        l.LblNoteTitle[row] =
            p.label(indexed("LblNoteTitle", r), Tonolog::tr(" NOTES:"), {1680, 1320 + y, 5415, 375}, small);
        l.LblNoteData[row] =
            p.label(indexed("LblNoteData", r), Tonolog::tr("note"), {2760, 1320 + y, 4335, 300}, small);
    }
}

void buildListPage(QWidget* page, ElasticLayout& elastic, ListControls& l) {
    Placer p(page, elastic);
    l.LblListTitle = p.label(QStringLiteral("LblListTitle"), QStringLiteral("Xxxxxx's data list"),
                             {480, 240, 4695, 375}, 14.25);
    l.LblComment = p.label(QStringLiteral("LblComment"), Tonolog::tr("S:Systolic D:Diastolic P:Pulse"),
                           {5160, 360, 2655, 255}, 9.75, rightAligned);
    l.LblListUnit =
        p.label(QStringLiteral("LblListUnit"), Tonolog::tr("mmHg"), {8640, 360, 855, 255}, 9.75, centred);
    l.PicViewArea = p.canvas(QStringLiteral("PicViewArea"), {480, 720, 7335, 6615});
    l.PicGraphArea = p.canvas(QStringLiteral("PicGraphArea"), {8040, 720, 2055, 6615});
    l.PicNoteArea = p.canvas(QStringLiteral("PicNoteArea"), {0, 2160, 375, 615});
    l.PicNoteArea->hide();
    l.ImgListLogo = p.image(QStringLiteral("ImgListLogo"), {10260, 60, 1215, 615});
    l.LblListUp = p.label(QStringLiteral("LblListUp"), Tonolog::tr("Previous data"), {10320, 840, 1095, 255},
                          defaultPoints, centred);
    l.ImgListUp =
        p.image(QStringLiteral("ImgListUp"), {10440, 1200, 825, 975}, Tonolog::tr("See previous data"));
    l.ImgListPrint = p.image(QStringLiteral("ImgListPrint"), {10475, 5160, 750, 450},
                             Tonolog::tr("Print the list (Ctrl+P)"));
    l.LblListPrint = p.label(QStringLiteral("LblListPrint"), Tonolog::tr("Print"), {10475, 5280, 735, 255},
                             defaultPoints, centred);
    l.LblListPrint->setToolTip(l.ImgListPrint->toolTip());
    l.ImgListDown =
        p.image(QStringLiteral("ImgListDown"), {10440, 5760, 825, 975}, Tonolog::tr("See next data"));
    l.LblListDown = p.label(QStringLiteral("LblListDown"), Tonolog::tr("Next data"), {10320, 6840, 1095, 255},
                            defaultPoints, centred);
    buildListRows(l.PicViewArea, elastic, l);

    Placer g(l.PicGraphArea, elastic);
    l.LblList100 = g.label(QStringLiteral("LblList100"), QStringLiteral("100"), {480, 0, 375, 255},
                           defaultPoints, rightAligned);
    l.LblList200 = g.label(QStringLiteral("LblList200"), QStringLiteral("200"), {1320, 0, 375, 255},
                           defaultPoints, rightAligned);
    l.LblList50 = g.label(QStringLiteral("LblList50"), QStringLiteral("50"), {480, 6360, 375, 255},
                          defaultPoints, rightAligned);
    l.LblList150 = g.label(QStringLiteral("LblList150"), QStringLiteral("150"), {1320, 6360, 375, 255},
                           defaultPoints, rightAligned);
}

void buildTrendPage(QWidget* page, ElasticLayout& elastic, TrendControls& t) {
    Placer p(page, elastic);
    constexpr double axis = 9.75;
    t.LblTrendTitle = p.label(QStringLiteral("LblTrendTitle"), QStringLiteral("Xxxxxx's BP Trend"),
                              {2520, 120, 6495, 375}, 14.25, centred);
    t.LblTrendLeft = p.label(QStringLiteral("LblTrendLeft"), Tonolog::tr("Previous data"),
                             {1320, 120, 1215, 255}, defaultPoints, centred);
    t.ImgTrendLeft =
        p.image(QStringLiteral("ImgTrendLeft"), {1440, 360, 975, 825}, Tonolog::tr("See previous data"));
    t.LblTrendRight = p.label(QStringLiteral("LblTrendRight"), Tonolog::tr("Next data"),
                              {9000, 120, 1215, 255}, defaultPoints, centred);
    t.ImgTrendRight =
        p.image(QStringLiteral("ImgTrendRight"), {9120, 360, 975, 825}, Tonolog::tr("See next data"));
    t.PicExpArea = p.canvas(QStringLiteral("PicExpArea"), {7800, 480, 975, 735});
    t.ImgTrendLogo = p.image(QStringLiteral("ImgTrendLogo"), {10260, 60, 1215, 615});
    t.LblTrendBp = p.label(QStringLiteral("LblTrendBp"), Tonolog::tr("BP"), {360, 1320, 495, 375}, 14.25);
    t.LblTrendMmhg = p.label(QStringLiteral("LblTrendMmhg"), Tonolog::tr("mmHg"), {240, 1680, 615, 255}, axis,
                             rightAligned);
    static const char* const scaleNames[] = {"200", "150", "100", "50"};
    for (int k = 0; k < 4; ++k) {
        const QString value = QString::fromLatin1(scaleNames[k]);
        const int top = 2040 + 360 * k;
        t.LblTrendBpScale[static_cast<std::size_t>(k)] =
            p.label(QStringLiteral("LblTrendBp") + value, value, {480, top, 375, 255}, axis, rightAligned);
        t.LblTrendPulScale[static_cast<std::size_t>(k)] =
            p.label(QStringLiteral("LblTrendPul") + value, value, {10680, top, 375, 255}, axis, rightAligned);
    }
    t.LblTrendPul = p.label(QStringLiteral("LblTrendPul"), Tonolog::tr("Pul"), {10680, 1320, 375, 375}, 14.25,
                            rightAligned);
    t.LblTrendMin =
        p.label(QStringLiteral("LblTrendMin"), Tonolog::tr("/min."), {10680, 1680, 615, 255}, axis);
    t.PicTrendArea = p.canvas(QStringLiteral("PicTrendArea"), {1080, 1440, 9375, 5535});
    static constexpr int dayLefts[7] = {1080, 2520, 4080, 5640, 7200, 8760, 10200};
    for (int j = 0; j < 7; ++j)
        t.LblTrendDay[static_cast<std::size_t>(j)] = p.label(indexed("LblTrendDay", j), QStringLiteral("99"),
                                                             {dayLefts[j], 6960, 255, 255}, axis, centred);
    t.LblTrendDateTop = p.label(QStringLiteral("LblTrendDateTop"), QStringLiteral("Oct./26/2003"),
                                {480, 7200, 1335, 255}, 10.5, rightAligned);
    t.LblTrendDateLast = p.label(QStringLiteral("LblTrendDateLast"), QStringLiteral("Dec./05/2003"),
                                 {9720, 7200, 1335, 255}, 10.5);
    t.ImgTrendPrint = p.image(QStringLiteral("ImgTrendPrint"), {10620, 6360, 750, 450},
                              Tonolog::tr("Print the graph (Ctrl+P)"));
    t.LblTrendPrint = p.label(QStringLiteral("LblTrendPrint"), Tonolog::tr("Print"), {10620, 6480, 735, 255},
                              defaultPoints, centred);
    t.LblTrendPrint->setToolTip(t.ImgTrendPrint->toolTip());

    Placer e(t.PicExpArea, elastic);
    t.LblSysExp = e.label(QStringLiteral("LblSysExp"), Tonolog::tr("SYS"), {120, 0, 375, 255}, axis);
    t.LblDiaExp = e.label(QStringLiteral("LblDiaExp"), Tonolog::tr("DIA"), {120, 240, 375, 255}, axis);
    t.LblPulExp = e.label(QStringLiteral("LblPulExp"), Tonolog::tr("PUL"), {120, 480, 375, 255}, axis);
}

void buildMenus(QMainWindow& window, MenuControls& m) {
    installAccessibleMenus();
    const auto item = [](QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {}) {
        QAction* action = menu->addAction(Tonolog::tr(caption));
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        return action;
    };
    m.mnuFile = window.menuBar()->addMenu(Tonolog::tr("File(&F)"));
    m.mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m.actNew = item(m.mnuFile, "actNew", QT_TRANSLATE_NOOP("Tonolog", "New(&N)"),
                    QKeySequence(Qt::CTRL | Qt::Key_N));
    m.actOpen = item(m.mnuFile, "actOpen", QT_TRANSLATE_NOOP("Tonolog", "Open(&O)..."),
                     QKeySequence(Qt::CTRL | Qt::Key_O));
    // Beside the program's own keys, those every desktop program has.
    m.actClose = item(m.mnuFile, "actClose", QT_TRANSLATE_NOOP("Tonolog", "Close(&C)"),
                      QKeySequence(Qt::CTRL | Qt::Key_W));
    m.mnuFile->addSeparator();
    m.actSave = item(m.mnuFile, "actSave", QT_TRANSLATE_NOOP("Tonolog", "Save(&S)"),
                     QKeySequence(Qt::CTRL | Qt::Key_S));
    m.actSaveAs = item(m.mnuFile, "actSaveAs", QT_TRANSLATE_NOOP("Tonolog", "Save as(&A)..."),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m.mnuFile->addSeparator();
    m.actPrint = item(m.mnuFile, "actPrint", QT_TRANSLATE_NOOP("Tonolog", "Print(&P)..."),
                      QKeySequence(Qt::CTRL | Qt::Key_P));
    // The history entries and the separator above them show only when the history has entries.
    m.historySeparator = m.mnuFile->addSeparator();
    m.historySeparator->setObjectName(QStringLiteral("historySeparator"));
    m.historySeparator->setVisible(false);
    for (std::size_t i = 0; i < m.actHistory.size(); ++i) {
        m.actHistory[i] = item(m.mnuFile, "", "");
        m.actHistory[i]->setObjectName(indexed("actHistory", static_cast<int>(i)));
        m.actHistory[i]->setVisible(false);
    }
    m.mnuFile->addSeparator();
    m.actExit = item(m.mnuFile, "actExit", QT_TRANSLATE_NOOP("Tonolog", "Exit(&X)"),
                     QKeySequence(Qt::CTRL | Qt::Key_Q));

    m.mnuReadings = window.menuBar()->addMenu(Tonolog::tr("Readings(&R)"));
    m.mnuReadings->setObjectName(QStringLiteral("mnuReadings"));
    m.actImport = item(m.mnuReadings, "actImport", QT_TRANSLATE_NOOP("Tonolog", "Import readings...(&I)"));
    m.actExportCsv =
        item(m.mnuReadings, "actExportCsv", QT_TRANSLATE_NOOP("Tonolog", "Export readings as CSV...(&E)"));
    m.mnuReadings->addSeparator();
    m.actReport =
        item(m.mnuReadings, "actReport", QT_TRANSLATE_NOOP("Tonolog", "Report for the doctor...(&D)"));

    m.mnuHelp = window.menuBar()->addMenu(Tonolog::tr("Help(&H)"));
    m.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    m.actHelpContents = item(m.mnuHelp, "actHelpContents", QT_TRANSLATE_NOOP("Tonolog", "Contents(&C)..."),
                             QKeySequence(Qt::Key_F1));
    m.actHelpTopics = item(m.mnuHelp, "actHelpTopics", QT_TRANSLATE_NOOP("Tonolog", "Topics(&S)..."));
    m.mnuHelp->addSeparator();
    m.actAbout = item(m.mnuHelp, "actAbout", QT_TRANSLATE_NOOP("Tonolog", "About(&A)..."));
    for (QMenu* menu : {m.mnuFile, m.mnuReadings, m.mnuHelp})
        menu->setAccessibleName(accessibleMenuText(menu->title()));
}

// Names (and, where no tooltip says it, descriptions) that a screen reader reads out. The
// drawings' descriptions follow the data: the pages write them at every drawing.
void nameForScreenReaders(MainLayout& ui) {
    auto name = [](QWidget* w, const QString& accessibleName, const QString& description = QString()) {
        w->setAccessibleName(accessibleName);
        if (!description.isEmpty())
            w->setAccessibleDescription(description);
    };
    auto logo = [&name](ImageButton* w, const char* page) {
        w->setDecorative(true);
        name(w, QStringLiteral("Tonolog"), Tonolog::tr("Logo of the %1 page").arg(Tonolog::tr(page)));
    };
    DiaryControls& d = ui.diary;
    name(d.InputName, Tonolog::tr("Name"));
    name(d.InputDate, Tonolog::tr("Date"));
    name(d.ImgInputDate, Tonolog::tr("Calendar"),
         Tonolog::tr("Opens a calendar to choose the day (Alt+Down or F4 in the date box)"));
    logo(d.ImgDiaryLogo, QT_TRANSLATE_NOOP("Tonolog", "Diary"));
    name(d.ImgDiaryUp, Tonolog::tr("Previous day"));
    name(d.ImgDiaryDown, Tonolog::tr("Next day"));
    for (std::size_t i = 0; i < 3; ++i) {
        const QString reading = Tonolog::tr("Reading %1, ").arg(i + 1);
        name(d.InputSys[i], reading + Tonolog::tr("SYS"), Tonolog::tr("Systolic pressure, 0 to 250 mmHg"));
        name(d.InputDia[i], reading + Tonolog::tr("DIA"), Tonolog::tr("Diastolic pressure, 0 to 250 mmHg"));
        name(d.InputPul[i], reading + Tonolog::tr("PUL"), Tonolog::tr("Pulse, 0 to 250 a minute"));
        name(d.InputTime[i], reading + Tonolog::tr("TIME"));
        name(d.ImgInputTime[i], reading + Tonolog::tr("current time"),
             Tonolog::tr("Fills in the time of day now"));
    }
    name(d.InputNote, Tonolog::tr("Notes"), Tonolog::tr("A note for the day"));

    ListControls& l = ui.list;
    name(l.PicViewArea, Tonolog::tr("Data list"));
    l.PicViewArea->setHeardAsList(true);
    name(l.PicGraphArea, Tonolog::tr("Bar chart"));
    name(l.PicNoteArea, Tonolog::tr("Note patch"), Tonolog::tr("A hidden part of the layout, never shown"));
    logo(l.ImgListLogo, QT_TRANSLATE_NOOP("Tonolog", "List"));
    name(l.ImgListUp, Tonolog::tr("Previous data"));
    name(l.ImgListDown, Tonolog::tr("Next data"));
    name(l.ImgListPrint, Tonolog::tr("Print"));

    TrendControls& t = ui.trend;
    name(t.ImgTrendLeft, Tonolog::tr("Previous data"));
    name(t.ImgTrendRight, Tonolog::tr("Next data"));
    name(t.PicExpArea, Tonolog::tr("Legend"),
         Tonolog::tr("SYS a dark red line, DIA a blue line, joined by a black line; PUL a green dot"));
    logo(t.ImgTrendLogo, QT_TRANSLATE_NOOP("Tonolog", "Trend"));
    name(t.PicTrendArea, Tonolog::tr("Trend graph"));
    name(t.ImgTrendPrint, Tonolog::tr("Print"));
}

} // namespace

MainLayout buildMainLayout(QMainWindow& window, QWidget& client, ElasticLayout& elastic) {
    MainLayout layout;
    layout.mainTab = new MainTab(&client);
    layout.mainTab->setObjectName(QStringLiteral("MainTab"));
    elastic.add(layout.mainTab, {120, 120, 11630, 8055});
    static constexpr QRect pageRect{45, 450, 11535, 7560};
    for (int i = 0; i < MainTab::pageCount; ++i)
        elastic.add(layout.mainTab->page(i), pageRect);
    buildDiaryPage(layout.mainTab->page(0), elastic, layout.diary);
    buildListPage(layout.mainTab->page(1), elastic, layout.list);
    buildTrendPage(layout.mainTab->page(2), elastic, layout.trend);

    // The month calendar belongs to the window, not to a page; it waits out of view until used.
    layout.MonthView = new QCalendarWidget(&client);
    layout.MonthView->setObjectName(QStringLiteral("MonthView"));
    layout.MonthView->setGeometry(twips::toPixels(QRect(-4000, -4000, 3015, 2520)));
    layout.MonthView->hide();
    // One letter a weekday: the names fit their columns at every size.
    layout.MonthView->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);

    buildMenus(window, layout.menu);
    nameForScreenReaders(layout);
    return layout;
}

} // namespace tonolog
