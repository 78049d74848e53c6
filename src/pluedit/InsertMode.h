// Insert or overwrite: one mode for every label text editor of the program, so that Insert pressed
// in one editor holds in the next. Editors take the application's flag unless a test hands them one.
#pragma once

namespace varnel {

class CInsertMode {
public:
    bool IsInsert() const { return m_insert; }
    void Toggle() { m_insert = !m_insert; }
    void Set(bool insert) { m_insert = insert; }

private:
    bool m_insert = true;  // the program starts in insert mode
};

// The program's one flag.
CInsertMode& ApplicationInsertMode();

}  // namespace varnel
