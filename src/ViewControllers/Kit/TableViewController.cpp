#include "ViewControllers/Kit/TableViewController.h"

namespace {

QString accessoryName(TableViewCell::Accessory accessory)
{
    switch (accessory) {
    case TableViewCell::Accessory::DisclosureIndicator:
        return QStringLiteral("disclosure");
    case TableViewCell::Accessory::Checkmark:
        return QStringLiteral("checkmark");
    case TableViewCell::Accessory::None:
        break;
    }
    return {};
}

// A section's header or footer.
TableViewEntry sectionLabel(const char* kind, int section, const QString& text)
{
    TableViewEntry entry;
    entry.kind = QLatin1String(kind);
    entry.section = section;
    entry.text = text;
    return entry;
}

}  // namespace

TableViewController::TableViewController(QObject* parent)
    : ViewController(parent)
{
    setPage(QStringLiteral("TablePage.qml"));
}

void TableViewController::loadView()
{
    reloadData();
}

void TableViewController::reloadData()
{
    std::vector<Section> sections;
    const int sectionCount = numberOfSectionsInTableView();
    for (int section = 0; section < sectionCount; ++section) {
        Section shown {titleForHeaderInSection(section), titleForFooterInSection(section), {}};
        const int rowCount = numberOfRowsInSection(section);
        for (int row = 0; row < rowCount; ++row)
            shown.cells.push_back(cellForRowAtIndexPath(section, row));
        sections.push_back(std::move(shown));
    }
    m_sections = std::move(sections);
    ++m_reloads;
    QList<TableViewEntry> rows = flatten(m_sections);
    if (rows == m_rows)
        return;
    m_rows = std::move(rows);
    emit rowsChanged();
}

QList<TableViewEntry> TableViewController::flatten(const std::vector<Section>& sections)
{
    QList<TableViewEntry> rows;
    for (int section = 0; section < static_cast<int>(sections.size()); ++section) {
        const Section& shown = sections[static_cast<std::size_t>(section)];
        if (!shown.header.isEmpty())
            rows.append(sectionLabel("header", section, shown.header));
        const int count = static_cast<int>(shown.cells.size());
        for (int row = 0; row < count; ++row) {
            const TableViewCell& cell = shown.cells[static_cast<std::size_t>(row)];
            rows.append(TableViewEntry {.kind = QStringLiteral("cell"),
                .section = section,
                .row = row,
                .text = cell.text,
                .detailText = cell.detailText,
                .secondDetailText = cell.secondDetailText,
                .accessory = accessoryName(cell.accessory),
                .enabled = cell.enabled,
                .first = row == 0,
                .last = row == count - 1});
        }
        if (!shown.footer.isEmpty())
            rows.append(sectionLabel("footer", section, shown.footer));
    }
    return rows;
}

void TableViewController::selectRow(int section, int row)
{
    const TableViewCell* cell = shownCell(section, row);
    if (cell && cell->enabled)
        didSelectRowAtIndexPath(section, row);
}

int TableViewController::numberOfShownRows(int section) const
{
    if (section < 0 || section >= numberOfShownSections())
        return 0;
    return static_cast<int>(m_sections[static_cast<std::size_t>(section)].cells.size());
}

QString TableViewController::shownHeader(int section) const
{
    if (section < 0 || section >= numberOfShownSections())
        return {};
    return m_sections[static_cast<std::size_t>(section)].header;
}

const TableViewCell* TableViewController::shownCell(int section, int row) const
{
    if (row < 0 || row >= numberOfShownRows(section))
        return nullptr;
    return &m_sections[static_cast<std::size_t>(section)].cells[static_cast<std::size_t>(row)];
}

void TableViewController::setSearchText(const QString& text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    emit searchTextChanged();
    reloadData();
}
