#include "library/ScreensaverList.h"

#include "common/FileIO.h"
#include "common/TextCase.h"
#include "library/ListFiles.h"

#include <algorithm>

namespace kelvane {

ScreensaverList::ScreensaverList(IconCache& icons) : m_icons(icons) {}

std::vector<std::string> ScreensaverList::Paths() const
{
    std::vector<std::string> paths;
    paths.reserve(m_rows.size());
    for (const auto& row : m_rows) {
        paths.push_back(row.Path);
    }
    return paths;
}

void ScreensaverList::AppendRow(const std::string& path)
{
    ScreensaverEntry row;
    m_images.push_back(m_icons.GetFileIcon(path));
    row.IconIndex = static_cast<int32_t>(m_images.size() - 1);
    row.Path = path;
    m_rows.push_back(std::move(row));
    ++m_pathCounts[path];
}

bool ScreensaverList::AddScreensaverRow(const std::string& path)
{
    if (m_pathCounts.contains(path)) {
        return false;
    }
    AnnounceChange(m_observer, {ListChange::Kind::Insert, m_rows.size(), 1}, [&] { AppendRow(path); });
    return true;
}

Status ScreensaverList::LoadListFromFile(const std::string& file)
{
    const auto text = ReadListFile(file);
    if (!text) {
        return Status::Error(text.message());
    }
    std::vector<std::string> paths;
    for (const std::string& line : text.value().Lines) {
        if (auto path = ListLinePath(line)) {
            paths.push_back(std::move(*path));
        }
    }
    if (!paths.empty()) {
        AnnounceChange(m_observer, {ListChange::Kind::Insert, m_rows.size(), paths.size()}, [&] {
            for (const std::string& path : paths) {
                AppendRow(path);
            }
        });
    }
    return Status::Ok();
}

Status ScreensaverList::SaveListToFile(const std::string& file) const
{
    if (!WriteFileAtomically(file, SerializeListFile(Paths(), DefaultListFileEncoding()))) {
        return Status::Error("Unable to write to " + file);
    }
    return Status::Ok();
}

void ScreensaverList::Clear()
{
    if (!m_rows.empty()) {
        RemoveRows(0, m_rows.size());
    }
}

void ScreensaverList::RemoveRows(size_t first, size_t count)
{
    AnnounceChange(m_observer, {ListChange::Kind::Remove, first, count}, [&] {
        const auto begin = m_rows.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = begin + static_cast<std::ptrdiff_t>(count);
        for (auto it = begin; it != end; ++it) {
            if (--m_pathCounts[it->Path] == 0) {
                m_pathCounts.erase(it->Path);
            }
        }
        m_rows.erase(begin, end);
    });
}

void ScreensaverList::ImportListFiles(const std::vector<std::string>& files)
{
    Clear();
    for (const std::string& file : files) {
        (void)LoadListFromFile(file);
    }
}

void ScreensaverList::SetSelected(size_t row, bool selected)
{
    if (row < m_rows.size()) {
        m_rows[row].Selected = selected;
    }
}

void ScreensaverList::SelectAllRows()
{
    for (auto& row : m_rows) {
        row.Selected = true;
    }
}

std::vector<size_t> ScreensaverList::SelectedRows() const
{
    std::vector<size_t> selected;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].Selected) {
            selected.push_back(i);
        }
    }
    return selected;
}

void ScreensaverList::MoveFirstSelectedTo(size_t target)
{
    const auto first = std::find_if(m_rows.begin(), m_rows.end(), [](const auto& row) { return row.Selected; });
    if (first == m_rows.end()) {
        return;
    }
    const auto from = static_cast<size_t>(first - m_rows.begin());
    if (from == target) {
        return;
    }
    AnnounceChange(m_observer, {ListChange::Kind::Move, from, 1, target}, [&] { MoveElement(m_rows, from, target); });
}

void ScreensaverList::MoveSelectedToTop()
{
    MoveFirstSelectedTo(0);
}

void ScreensaverList::MoveSelectedToBottom()
{
    if (!m_rows.empty()) {
        MoveFirstSelectedTo(m_rows.size() - 1);
    }
}

void ScreensaverList::MoveSelectedUp()
{
    const auto selected = SelectedRows();
    if (!selected.empty() && selected.front() > 0) {
        MoveFirstSelectedTo(selected.front() - 1);
    }
}

void ScreensaverList::MoveSelectedDown()
{
    const auto selected = SelectedRows();
    if (!selected.empty() && selected.front() + 1 < m_rows.size()) {
        MoveFirstSelectedTo(selected.front() + 1);
    }
}

void ScreensaverList::DeleteSelectedRows()
{
    // Each run of selected rows goes as one removal, the last run first so that the earlier positions
    // stay true.
    size_t end = m_rows.size();
    while (end > 0) {
        if (!m_rows[end - 1].Selected) {
            --end;
            continue;
        }
        size_t first = end - 1;
        while (first > 0 && m_rows[first - 1].Selected) {
            --first;
        }
        RemoveRows(first, end - first);
        end = first;
    }
}

bool IsActiveRow(const std::string& path, const std::string& activeScreensaverText)
{
    return ToUpperText(path) == ToUpperText(activeScreensaverText);
}

} // namespace kelvane
