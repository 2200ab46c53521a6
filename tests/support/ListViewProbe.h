#pragma once

// Reading and driving a page's list view the way the user and the screen see it, and
// counting what the program sends to it.

#include <windows.h>

#include <string>
#include <vector>

// The texts of columns 1 .. `columns` - 1 of every row (column 0 holds only the check box or
// the key).
std::vector<std::vector<std::wstring>> ListRows(HWND list, int columns);
std::vector<bool> ListChecks(HWND list);
bool IsRowSelected(HWND list, int row);
// A click on the row's check box: the state change the list view asks its parent about.
void ClickCheckBox(HWND list, int row, bool checked);

// Counts, while it lives, the cell writes and the paints of one list window.
class ListWriteCounter {
public:
    explicit ListWriteCounter(HWND list);
    ~ListWriteCounter();
    ListWriteCounter(const ListWriteCounter&) = delete;
    ListWriteCounter& operator=(const ListWriteCounter&) = delete;

    int CellWrites() const { return cellWrites_; }
    int Paints() const { return paints_; }
    void Reset() { cellWrites_ = paints_ = 0; }

private:
    static LRESULT CALLBACK Count(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    HWND list_;
    int cellWrites_ = 0;
    int paints_ = 0;
};
