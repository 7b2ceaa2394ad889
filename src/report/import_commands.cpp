// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/import_commands.h"

#include "canvas/busy_pointer.h"
#include "canvas/message_box.h"
#include "document/document.h"
#include "document/text_encoding.h"
#include "platform/dialog_service.h"
#include "platform/words.h"
#include "report/apple_health.h"
#include "report/import_dialog.h"

#include <QDateTime>
#include <QFile>
#include <QWidget>

#include <limits>
#include <new>

namespace tonolog {

namespace {

// A file of readings larger than this is no CSV export (an Apple Health export is streamed): the
// largest diary, 32,767 days of three readings, takes about 4 MB as CSV.
constexpr qint64 largestCsv = 64LL * 1024 * 1024;

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

LocalDateTime machineLocalTime(std::int64_t utcSeconds) {
    const QDateTime local = QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC).toLocalTime();
    // An instant Qt cannot place lies beyond every year a diary holds, and is refused as such.
    if (!local.isValid())
        return {Date{std::numeric_limits<std::int32_t>::min()}, 0};
    const QDate day = local.date();
    return {dateFromCivil(day.year(), day.month(), day.day()), local.time().msecsSinceStartOfDay() / 1000};
}

ImportCommands::ImportCommands(const Document& document, DialogService& dialogs, MessageBoxService& messages,
                               QWidget& window, QString documentsDir,
                               std::function<bool(const ImportPlan&)> takeImport, QObject* parent)
    : QObject(parent), document_(document), dialogs_(dialogs), messages_(messages), window_(window),
      documentsDir_(std::move(documentsDir)), takeImport_(std::move(takeImport)) {}

ImportCommands::~ImportCommands() {
    if (dialog_)
        delete dialog_.data();
}

ImportDialog* ImportCommands::importReadings() {
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return dialog_;
    }
    FileDialogRequest request;
    request.title = Tonolog::tr("Import readings");
    request.initialDir = document_.isUntitled() ? documentsDir_ : fromStd(document_.folder());
    request.filter =
        Tonolog::tr("Readings (*.csv;*.xml;*.zip)|*.csv;*.CSV;*.txt;*.xml;*.zip|"
                    "CSV Files (*.csv)|*.csv;*.CSV|XML Files (*.xml)|*.xml|ZIP Files (*.zip)|*.zip|"
                    "All Files (*.*)|*.*");
    request.fileMustExist = true;
    const FileDialogResult chosen = dialogs_.showOpen(request);
    if (!chosen.accepted)
        return nullptr;
    std::optional<ImportFile> file = readFile(chosen.fullPath);
    if (!file)
        return nullptr;
    dialog_ = new ImportDialog(*this, std::move(*file), &window_);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->show();
    return dialog_;
}

void ImportCommands::cannotRead(const QString& path, const QString& why) {
    showMessage(messages_, Tonolog::tr("The readings cannot be imported.\n%1\n%2").arg(path, why),
                MessageButtons::Ok, MessageIcon::Exclamation);
}

std::optional<ImportFile> ImportCommands::readFile(const QString& path) {
    try {
        return readWholeFile(path);
    } catch (const std::bad_alloc&) {
        cannotRead(path, Tonolog::tr("There is not enough memory to read it."));
        return std::nullopt;
    }
}

std::optional<ImportFile> ImportCommands::readWholeFile(const QString& path) {
    ImportFile file;
    file.path = path;
    if (isAppleHealthExport(path)) {
        const std::unique_ptr<ProgressMonitor> progress =
            dialogs_.showProgress(Tonolog::tr("Reading the Apple Health export..."), 1000);
        AppleHealthRead health = readAppleHealth(path, machineLocalTime, [&](qint64 done, qint64 total) {
            return progress->advance(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
        });
        if (health.cancelled)
            return std::nullopt;
        if (!health.ok) {
            cannotRead(path, health.why);
            return std::nullopt;
        }
        file.read = std::move(health.read);
        return file;
    }
    QByteArray bytes;
    {
        const BusyPointer busy;
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly)) {
            cannotRead(path, in.errorString());
            return std::nullopt;
        }
        if (in.size() > largestCsv) {
            cannotRead(path, Tonolog::tr("It is too large for a file of readings."));
            return std::nullopt;
        }
        bytes = in.readAll();
    }
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (view.find('\0') != std::string_view::npos && wideByteOrderMark(view).form == WideForm::none) {
        cannotRead(path, Tonolog::tr("It is not a text file."));
        return std::nullopt;
    }
    file.rows = readCsvRows(view);
    std::string why;
    file.layout = recogniseCsv(file.rows, &why);
    if (!file.layout) {
        cannotRead(path, fromStd(why));
        return std::nullopt;
    }
    file.read = readCsvReadings(file.rows, *file.layout, machineLocalTime);
    return file;
}

ImportPlan ImportCommands::plan(const ReadingsRead& read) const {
    return planImport(document_.table(), read);
}

bool ImportCommands::importNow(const ReadingsRead& read) {
    const ImportPlan planned = plan(read);
    bool taken = planned.changesNothing();
    if (!planned.changesNothing()) {
        const BusyPointer busy;
        taken = takeImport_(planned);
    }
    showMessage(messages_, fromStd(importSummary(planned, read)), MessageButtons::Ok,
                planned.tooManyDays ? MessageIcon::Exclamation : MessageIcon::Information);
    return taken;
}

} // namespace tonolog
