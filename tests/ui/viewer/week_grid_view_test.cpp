// The week grid on screen and as the HTML page of orbelquint-week --grid, read back by Qt.
#include "ui/viewer/week_grid_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <sstream>

#include "core/views/grid_page.h"
#include "core/views/week_grid.h"
#include "support/test_files.h"
#include "support/week_requests.h"
#include "ui/page_decoding.h"
#include "ui/viewer/rich_text_cells.h"

namespace orbelquint {
namespace {

QByteArray SamplePage() {
    std::ostringstream page;
    EXPECT_EQ(BuildWeekPage(test_support::Week50Of(test_support::SampleDataFile().string()), page).status,
              BuildStatus::Complete);
    return QByteArray::fromStdString(page.str());
}

TEST(WeekGridViewTest, ATableWithDaysAndHoursForHeadersThatAScreenReaderCanWalk) {
    WeekGridView view(nullptr);
    view.resize(700, 500);
    view.ShowWeekPage(SamplePage(), 50, 50);
    ASSERT_EQ(view.columnCount(), 5);
    ASSERT_EQ(view.rowCount(), 7);
    EXPECT_EQ(view.horizontalHeaderItem(3)->text(), "Donderdag");
    EXPECT_EQ(view.verticalHeaderItem(5)->data(Qt::AccessibleTextRole).toString(), "uur 6");
    const QString stacked = view.item(5, 3)->text();
    EXPECT_TRUE(stacked.contains("Duits (reeks 1)") && stacked.contains("Spaans (reeks 2)"))
        << stacked.toStdString();
    // The mark is said in words too, for whoever does not see its colour.
    EXPECT_TRUE(view.item(2, 0)->text().contains("Herhaling wiskunde \u2013 nieuw deze week"));

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->tableInterface(), nullptr);
    EXPECT_EQ(accessible->tableInterface()->columnCount(), 5);
    QAccessibleInterface* cell = accessible->tableInterface()->cellAt(5, 3);
    ASSERT_NE(cell, nullptr);
    const auto headers = cell->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(headers.size(), 1);
    EXPECT_EQ(headers[0]->text(QAccessible::Name), "Donderdag");
    // Qt hands the header cells over without keeping them in its cache: they are the caller's.
    for (QAccessibleInterface* header : headers) {
        if (QAccessible::uniqueId(header) == 0)
            QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(header));
    }
}

// Every row is as high as its cells need, after a change of width and after another page.
TEST(WeekGridViewTest, EveryCellHoldsItsLessonsWholeAtAnyWidth) {
    WeekGridView view(nullptr);
    view.resize(900, 400);
    view.show();
    const auto expectWhole = [&view](const std::string& where) {
        QApplication::processEvents();  // the rows are measured once the widths have settled
        QApplication::processEvents();
        for (int row = 0; row < view.rowCount(); ++row) {
            for (int column = 0; column < view.columnCount(); ++column) {
                QStyleOptionViewItem option;
                option.initFrom(&view);
                option.rect = QRect(0, 0, view.columnWidth(column), 0);
                const QModelIndex index = view.model()->index(row, column);
                EXPECT_GE(view.rowHeight(row), view.itemDelegate()->sizeHint(option, index).height())
                    << where << " row " << row << " column " << column;
            }
        }
    };
    view.ShowWeekPage(SamplePage(), 50, std::nullopt);
    for (const int width : {900, 420, 650}) {  // measured wide first, then narrower
        view.resize(width, 400);
        expectWhole("width " + std::to_string(width));
    }
    // Another week at the same width, with the same days and hours, whose lessons need more room.
    const auto week = [](const std::string& lesson) {
        std::string page = "<html>\r\nHEAD\r\n<h1>w</h1>\r\n<h2>x</h2><hr>\r\n";
        for (const char* day : {"Maandag", "Dinsdag", "Woensdag", "Donderdag", "Vrijdag"})
            page += std::string("<h3>") + day + "</h3><pre>\r\n1  WIS  PEE 01-52 B104  " + lesson +
                    "\r\n</pre>\r\n";
        return QByteArray::fromStdString(page + "\r\nFOOT\r\n</body></html>\r\n");
    };
    view.ShowWeekPage(week("kort"), 50, std::nullopt);
    expectWhole("a short week");
    view.ShowWeekPage(week("een les met een lange naam die zich over vele regels van de cel spreidt"), 50,
                      std::nullopt);
    expectWhole("another page");
}

TEST(WeekGridViewTest, APageOfThousandsOfDaysIsNotLaidOutBeyondAWeeksWorth) {
    std::string page = "<html>\r\nHEAD\r\n<h1>w</h1>\r\n<h2>x</h2><hr>\r\n";
    for (int day = 0; day < 5000; ++day)
        page += "<h3>Dag</h3><pre>\r\n" + std::to_string(day % 100) + " WIS    01-52 x\r\n</pre>\r\n";
    page += "<h3>Dag</h3><pre>\r\nMU WIS    01-52 x\r\n</pre>\r\n";
    WeekGridView view(nullptr);
    view.resize(600, 400);
    view.ShowWeekPage(QByteArray::fromStdString(page + "\r\nFOOT\r\n</body></html>\r\n"), 50, 50);
    EXPECT_EQ(view.columnCount(), 60);
    ASSERT_EQ(view.rowCount(), 101);
    // A screen reader says "uur 99", and "zonder uur" as it stands.
    EXPECT_EQ(view.verticalHeaderItem(99)->data(Qt::AccessibleTextRole).toString(), "uur 99");
    EXPECT_EQ(view.verticalHeaderItem(100)->text(), "zonder uur");
    EXPECT_FALSE(view.verticalHeaderItem(100)->data(Qt::AccessibleTextRole).toString().startsWith("uur"));
    EXPECT_TRUE(view.horizontalHeaderItem(59)->text().endsWith("(en nog 4941 dagen: zie de lijst)"));
}

// The grid page of the tool, read as HTML by Qt: one table whose cells hold the grid's lessons.
TEST(GridPageTest, ThePageParsesAsOneTableThatHoldsTheGrid) {
    const QByteArray page = SamplePage();
    const std::string_view bytes(page.constData(), static_cast<std::size_t>(page.size()));
    const WeekGrid grid = GridOfWeekPage(bytes, 50);
    QTextDocument document;
    document.setHtml(DecodePage(QByteArray::fromStdString(GridPage(bytes, grid))));
    QTextTable* table = nullptr;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        ASSERT_EQ(table, nullptr) << "more than one table";
        table = qobject_cast<QTextTable*>(frame);
    }
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows(), static_cast<int>(grid.hours.size()) + 1);
    ASSERT_EQ(table->columns(), static_cast<int>(grid.days.size()) + 1);
    const auto text = [&document](const QTextTableCell& cell) {
        QTextCursor cursor(&document);
        cursor.setPosition(cell.firstCursorPosition().position());
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cursor.selection().toPlainText().trimmed();
    };
    EXPECT_EQ(text(table->cellAt(0, 1)), "Maandag");
    EXPECT_EQ(text(table->cellAt(6, 0)), "6");
    const PageTextDecoder decode(page);
    for (std::size_t row = 0; row < grid.hours.size(); ++row) {
        for (std::size_t column = 0; column < grid.days.size(); ++column) {
            const QString expected =
                QTextDocumentFragment::fromHtml(decode(GridCellHtml(grid.cells[row][column]))).toPlainText();
            EXPECT_EQ(text(table->cellAt(static_cast<int>(row) + 1, static_cast<int>(column) + 1)), expected);
        }
    }
}

}  // namespace
}  // namespace orbelquint
