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

void ScreensaverList::Changed()
{
    if (OnChanged) {
        OnChanged();
    }
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
    AppendRow(path);
    Changed();
    return true;
}

Status ScreensaverList::LoadListFromFile(const std::string& file)
{
    const auto text = ReadListFile(file);
    if (!text) {
        return Status::Error(text.message());
    }
    for (const std::string& line : text.value().Lines) {
        if (const auto path = ListLinePath(line)) {
            AppendRow(*path);
        }
    }
    Changed();
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
    m_rows.clear();
    m_pathCounts.clear();
    Changed();
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
    Changed();
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
    ScreensaverEntry moved = std::move(*first);
    m_rows.erase(first);
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(target), std::move(moved));
    Changed();
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
    const auto kept =
        std::stable_partition(m_rows.begin(), m_rows.end(), [](const auto& row) { return !row.Selected; });
    if (kept == m_rows.end()) {
        return;
    }
    for (auto it = kept; it != m_rows.end(); ++it) {
        if (--m_pathCounts[it->Path] == 0) {
            m_pathCounts.erase(it->Path);
        }
    }
    m_rows.erase(kept, m_rows.end());
    Changed();
}

bool IsActiveRow(const std::string& path, const std::string& activeScreensaverText)
{
    return ToUpperText(path) == ToUpperText(activeScreensaverText);
}

} // namespace kelvane
