#include "library/ScreensaverList.h"

#include "common/FileIO.h"
#include "common/TextCase.h"
#include "library/ListFiles.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

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

std::string_view ScreensaverList::PathOfImage(uint32_t image) const
{
    const ImageOwner& owner = m_owners[image];
    return owner.Row != kNone ? std::string_view(m_rows[owner.Row].Path) : std::string_view(m_kept[owner.Kept]);
}

std::optional<uint32_t> ScreensaverList::FindPath(std::string_view path) const
{
    return m_paths.Find(path);
}

void ScreensaverList::AppendRow(std::string path)
{
    const auto image = static_cast<uint32_t>(m_images.size());
    const auto row = static_cast<uint32_t>(m_rows.size());
    ScreensaverEntry entry;
    entry.IconIndex = static_cast<int32_t>(image);
    const std::optional<uint32_t> standing = FindPath(path);
    if (!standing) {
        // A path never seen: its new row's image stands for it.
        m_images.emplace_back();
        entry.Path = std::move(path);
        m_rows.push_back(std::move(entry));
        m_owners.push_back({row, kNone, 1});
        m_paths.Insert(image);
        return;
    }
    // A path seen before: the icon found then (if any was asked for) is used again.
    m_images.push_back(m_images[*standing]);
    ImageOwner& owner = m_owners[*standing];
    const bool lookedUp = owner.LookedUp;
    if (owner.Row == kNone && owner.LiveRows == 0) {
        // No row holds it now: the text kept aside moves into the new row, whose image stands for it.
        m_paths.Erase(*standing);
        entry.Path = std::move(m_kept[owner.Kept]);
        m_freeKept.push_back(owner.Kept);
        owner.Kept = kNone;
        m_rows.push_back(std::move(entry));
        m_owners.push_back({row, kNone, 1, lookedUp});
        m_paths.Insert(image);
        return;
    }
    ++owner.LiveRows;
    entry.Path = std::move(path);
    m_rows.push_back(std::move(entry));
    m_owners.push_back({row, kNone, 0, lookedUp});
}

const FileIcon& ScreensaverList::IconOfRow(size_t row)
{
    const ScreensaverEntry& entry = m_rows[row];
    const auto image = static_cast<uint32_t>(entry.IconIndex);
    if (!m_owners[image].LookedUp) {
        // Asked once per path: through the image that stands for it, which other rows share.
        const uint32_t standing = FindPath(entry.Path).value_or(image);
        if (!m_owners[standing].LookedUp) {
            m_images[standing] = m_icons.LoadFileIcon(entry.Path);
            m_owners[standing].LookedUp = true;
        }
        m_images[image] = m_images[standing];
        m_owners[image].LookedUp = true;
    }
    return m_images[image];
}

ScreensaverList::Addition ScreensaverList::AddScreensaverRow(const std::string& path)
{
    if (!ListFileCanKeep(path)) {
        return Addition::CannotKeep;
    }
    if (const auto standing = FindPath(path); standing && m_owners[*standing].LiveRows > 0) {
        return Addition::AlreadyListed;
    }
    AnnounceChange(m_observer, {ListChange::Kind::Insert, m_rows.size(), 1}, [&] { AppendRow(path); });
    return Addition::Added;
}

size_t ScreensaverList::AddScreensaverRows(const std::vector<std::string>& paths)
{
    size_t cannotKeep = 0;
    std::vector<const std::string*> adding;
    std::unordered_set<std::string_view> inBatch; // a path twice in one batch joins once
    for (const std::string& path : paths) {
        if (!ListFileCanKeep(path)) {
            ++cannotKeep;
        } else if (const auto standing = FindPath(path);
                   (!standing || m_owners[*standing].LiveRows == 0) && inBatch.insert(path).second) {
            adding.push_back(&path);
        }
    }
    if (!adding.empty()) {
        AnnounceChange(m_observer, {ListChange::Kind::Insert, m_rows.size(), adding.size()}, [&] {
            for (const std::string* path : adding) {
                AppendRow(*path);
            }
        });
    }
    return cannotKeep;
}

Status ScreensaverList::LoadListFromFile(const std::string& file)
{
    const auto read = ReadListFilePaths(file);
    if (!read) {
        return Status::Error(read.message());
    }
    const ListFilePaths& paths = read.value();
    if (paths.Count() == 0) {
        return Status::Ok();
    }
    AnnounceChange(m_observer, {ListChange::Kind::Insert, m_rows.size(), paths.Count()}, [&] {
        if (const size_t needed = m_rows.size() + paths.Count(); needed > m_rows.capacity()) {
            const size_t capacity = std::max(needed, 2 * m_rows.capacity());
            m_rows.reserve(capacity);
            m_images.reserve(capacity);
            m_owners.reserve(capacity);
            m_paths.Reserve(capacity);
        }
        for (size_t i = 0; i < paths.Count(); ++i) {
            AppendRow(std::string(paths.Path(i)));
        }
    });
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

void ScreensaverList::RecordRowsFrom(size_t first, size_t end)
{
    for (size_t row = first; row < end; ++row) {
        m_owners[static_cast<size_t>(m_rows[row].IconIndex)].Row = static_cast<uint32_t>(row);
    }
}

void ScreensaverList::RemoveRows(size_t first, size_t count)
{
    AnnounceChange(m_observer, {ListChange::Kind::Remove, first, count}, [&] {
        const auto begin = m_rows.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = begin + static_cast<std::ptrdiff_t>(count);
        for (auto it = begin; it != end; ++it) {
            const auto image = static_cast<uint32_t>(it->IconIndex);
            const uint32_t standing = FindPath(it->Path).value_or(image);
            --m_owners[standing].LiveRows;
            if (standing == image) {
                // The path's text stays known for the icon it found: moved aside, not copied.
                uint32_t kept = 0;
                if (m_freeKept.empty()) {
                    kept = static_cast<uint32_t>(m_kept.size());
                    m_kept.emplace_back();
                } else {
                    kept = m_freeKept.back();
                    m_freeKept.pop_back();
                }
                m_kept[kept] = std::move(it->Path);
                m_owners[image].Kept = kept;
            }
            m_owners[image].Row = kNone;
        }
        m_rows.erase(begin, end);
        RecordRowsFrom(first, m_rows.size());
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
    AnnounceChange(m_observer, {ListChange::Kind::Move, from, 1, target}, [&] {
        MoveElement(m_rows, from, target);
        RecordRowsFrom(std::min(from, target), std::max(from, target) + 1);
    });
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

std::string LeftOutOfListText(size_t count)
{
    return std::to_string(count) + (count == 1 ? " file" : " files") +
           " left out: a list file cannot keep a name with a line break, a tab or enclosing double quotes";
}

bool IsActiveRow(const std::string& path, const std::string& activeScreensaverText)
{
    return ToUpperText(path) == ToUpperText(activeScreensaverText);
}

} // namespace kelvane
