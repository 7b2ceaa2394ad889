// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QDialog>

#include "report/import_commands.h"

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tonolog {

// What a file holds and what importing it will do: the source recognised, the first readings as
// they will be stored, for a file of no known source the column of each field (and the date order
// where the file leaves it open), and a summary. Import puts the readings in; Cancel changes nothing.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    // The preview shows this many readings at most.
    static constexpr int previewRows = 100;
    // The fields whose column can be chosen, in the order of `columnChoice`.
    enum ChosenField { dateField, timeField, sysField, diaField, pulField, noteField, fieldCount };

    ImportDialog(ImportCommands& commands, ImportFile file, QWidget* parent = nullptr);

    const ReadingsRead& readings() const { return file_.read; }

    QLabel* sourceLabel = nullptr;
    QGroupBox* columnsBox = nullptr;
    std::array<QComboBox*, fieldCount> columnChoice{};
    QComboBox* dateOrder = nullptr;
    QTableWidget* preview = nullptr;
    QLabel* summary = nullptr;
    QPushButton* importButton = nullptr;

private:
    void buildColumnChoice();
    // Reads the file again with the columns and date order chosen.
    void readAgain();
    void showReadings();
    void importReadings();

    ImportCommands& commands_;
    ImportFile file_;
};

} // namespace tonolog
