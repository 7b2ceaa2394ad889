// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help_window.h"

#include "canvas/message_box.h"
#include "canvas/resources.h"
#include "platform/words.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace tonolog {

namespace {

// A help file larger than this is not a help file.
constexpr qint64 largestHelpFile = 16 * 1024 * 1024;

constexpr int entryRole = Qt::UserRole;
constexpr int topicRole = Qt::UserRole;

} // namespace

namespace {

// The help is a window of its own: screen readers hear it as one (a plain widget is a "filler").
QAccessibleInterface* helpWindowInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("tonolog::HelpWindow"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    static const bool heardAsWindow = [] {
        QAccessible::installFactory(helpWindowInterface);
        return true;
    }();
    Q_UNUSED(heardAsWindow);
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Tonolog::tr("Tonolog Help"));
    setWindowIcon(iconResource(101));
    // The main window's close ends the program even while the help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("HelpTabs"));

    contents_ = new QListWidget;
    contents_->setObjectName(QStringLiteral("HelpContents"));
    tabs_->addTab(contents_, Tonolog::tr("Contents"));

    auto* indexPage = new QWidget;
    indexPage->setObjectName(QStringLiteral("HelpIndexPage"));
    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("HelpIndexSearch"));
    search_->setPlaceholderText(Tonolog::tr("Type the first letters of a keyword"));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(this);
    keywords_ = new QListWidget;
    keywords_->setObjectName(QStringLiteral("HelpIndexList"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(search_);
    indexLayout->addWidget(keywords_);
    tabs_->addTab(indexPage, Tonolog::tr("Index"));

    view_ = new QTextBrowser;
    view_->setObjectName(QStringLiteral("HelpTopicView"));
    view_->setOpenLinks(false);
    view_->setOpenExternalLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("HelpSplitter"));
    splitter->addWidget(tabs_);
    splitter->addWidget(view_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 540});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    resize(820, 560);

    connect(contents_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr)
            showTopic(item->data(topicRole).toInt());
    });
    connect(search_, &QLineEdit::textChanged, this, &HelpWindow::narrowIndex);
    connect(search_, &QLineEdit::returnPressed, this, [this] { showEntry(keywords_->currentItem()); });
    connect(keywords_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { showEntry(item); });
    connect(keywords_, &QListWidget::itemActivated, this, &HelpWindow::showEntry);
    connect(view_, &QTextBrowser::anchorClicked, this, &HelpWindow::openLink);
}

void HelpWindow::setHelpFile(HelpFile file) {
    file_ = std::move(file);
    currentTopic_ = -1;
    view_->clear();
    fillContents();
    {
        const QSignalBlocker block(search_);
        search_->clear();
    }
    narrowIndex(QString());
    if (!file_.isEmpty())
        showTopic(0);
}

void HelpWindow::fillContents() {
    const QSignalBlocker block(contents_);
    contents_->clear();
    for (int t = 0; t < file_.topics().size(); ++t) {
        auto* item = new QListWidgetItem(file_.topics()[t].title, contents_);
        item->setData(topicRole, t);
    }
}

void HelpWindow::narrowIndex(const QString& typed) {
    {
        const QSignalBlocker block(keywords_);
        keywords_->clear();
        for (int e : file_.matchingEntries(typed)) {
            auto* item = new QListWidgetItem(file_.index()[e].keyword, keywords_);
            item->setData(entryRole, e);
        }
    }
    // The best match is marked and shown, as a keyword index does while one types.
    if (keywords_->count() > 0)
        keywords_->setCurrentRow(0);
}

void HelpWindow::showEntry(QListWidgetItem* item) {
    if (item == nullptr)
        return;
    const int entry = item->data(entryRole).toInt();
    if (entry < 0 || entry >= file_.index().size())
        return;
    const HelpIndexEntry& e = file_.index()[entry];
    if (e.topics.size() == 1) {
        showTopic(e.topics.first());
        return;
    }
    currentTopic_ = -1;
    view_->setHtml(file_.topicsFoundHtml(entry));
}

void HelpWindow::showTopic(int topic) {
    if (topic < 0 || topic >= file_.topics().size())
        return;
    currentTopic_ = topic;
    view_->setHtml(file_.topicHtml(topic));
    const QSignalBlocker block(contents_);
    contents_->setCurrentRow(topic);
}

void HelpWindow::openLink(const QUrl& url) {
    if (url.scheme() != QLatin1String("topic"))
        return;
    showTopic(file_.topicIndex(url.path()));
}

void HelpWindow::showContents() {
    tabs_->setCurrentWidget(contents_);
    if (currentTopic_ < 0 && !file_.isEmpty())
        showTopic(0);
    contents_->setFocus();
}

void HelpWindow::showIndex() {
    tabs_->setCurrentIndex(1);
    {
        const QSignalBlocker block(search_);
        search_->clear();
    }
    narrowIndex(QString());
    search_->setFocus();
}

// Up, Down, Page Up and Page Down in the search box move through the keywords, so that the
// hands can stay on the keyboard.
bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
            QCoreApplication::sendEvent(keywords_, &copy);
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

HelpWindowViewer::HelpWindowViewer(MessageBoxService& messages) : messages_(messages) {}

HelpWindowViewer::~HelpWindowViewer() = default;

bool HelpWindowViewer::load(const QString& helpFile) {
    const QFileInfo info(helpFile);
    const QString path = info.absoluteFilePath();
    if (!info.isFile() || !info.isReadable() || info.size() > largestHelpFile) {
        showMessage(messages_, Tonolog::tr("The help file cannot be found.") + QLatin1Char('\n') + helpFile,
                    MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    if (window_ != nullptr && path == loadedPath_ && info.lastModified() == loadedTime_ &&
        info.size() == loadedSize_)
        return true;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(messages_, Tonolog::tr("The help file cannot be found.") + QLatin1Char('\n') + helpFile,
                    MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    HelpFile parsed = HelpFile::parse(file.read(largestHelpFile));
    if (parsed.isEmpty()) {
        showMessage(messages_,
                    Tonolog::tr("The help file holds no help topics.") + QLatin1Char('\n') + helpFile,
                    MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    if (window_ == nullptr)
        window_ = std::make_unique<HelpWindow>();
    window_->setHelpFile(std::move(parsed));
    loadedPath_ = path;
    loadedTime_ = info.lastModified();
    loadedSize_ = info.size();
    return true;
}

void HelpWindowViewer::show(const QString& helpFile, int command) {
    if (!load(helpFile))
        return;
    HelpWindow& w = *window_;
    if (w.isMinimized())
        w.showNormal();
    else
        w.show();
    if (command == helpIndex)
        w.showIndex();
    else
        w.showContents();
    w.raise();
    w.activateWindow();
}

} // namespace tonolog
