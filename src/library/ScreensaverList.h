#pragma once

#include "common/ListChange.h"
#include "common/Status.h"
#include "library/iconUtils.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kelvane {

// One row of the screensaver list; the path is its identity.
struct ScreensaverEntry
{
    std::string Caption; // always empty: the first column shows only the icon
    int32_t IconIndex = -1;
    std::string Path;
    bool Selected = false;

    bool operator==(const ScreensaverEntry&) const = default;
};

// The ordered screensaver list: the rotation order, the only copy of the rows. Icons go into an image
// list that only grows; a row keeps the index of its image.
class ScreensaverList
{
public:
    explicit ScreensaverList(IconCache& icons);

    const std::vector<ScreensaverEntry>& Rows() const { return m_rows; }
    size_t Count() const { return m_rows.size(); }
    std::vector<std::string> Paths() const;
    // The icons in image-list order; an index in a row points here.
    const std::vector<FileIcon>& Images() const { return m_images; }

    // Told of every change of the rows, so a view can follow; none when null.
    void SetObserver(ListObserver* observer) { m_observer = observer; }

    // The one way a file joins the list: appended unless the exact path (letter case included) is
    // already listed. True when a row was added.
    bool AddScreensaverRow(const std::string& path);

    // Appends a row for every line of the list file that yields a path, without any duplicate test.
    Status LoadListFromFile(const std::string& file);
    // Writes every row's path, in list order.
    Status SaveListToFile(const std::string& file) const;
    // Removes every row (the images stay).
    void Clear();
    // "Load from Disk File..": the rows are replaced by those of the files, in order; a file that cannot
    // be read is passed over.
    void ImportListFiles(const std::vector<std::string>& files);

    void SetSelected(size_t row, bool selected);
    void SelectAllRows();
    std::vector<size_t> SelectedRows() const;

    // Only the first selected row moves; it stays selected, and so do the others.
    void MoveSelectedToTop();
    void MoveSelectedToBottom();
    void MoveSelectedUp();
    void MoveSelectedDown();
    void DeleteSelectedRows();

private:
    void AppendRow(const std::string& path);
    void MoveFirstSelectedTo(size_t target);
    void RemoveRows(size_t first, size_t count);

    IconCache& m_icons;
    std::vector<ScreensaverEntry> m_rows;
    std::vector<FileIcon> m_images;
    // How many rows hold each path, so the duplicate test stays constant-time however long the list is.
    std::unordered_map<std::string, size_t> m_pathCounts;
    ListObserver* m_observer = nullptr;
};

// The active screensaver's row is drawn highlighted: its path equals the active text, letters compared
// upper-cased.
bool IsActiveRow(const std::string& path, const std::string& activeScreensaverText);

} // namespace kelvane
