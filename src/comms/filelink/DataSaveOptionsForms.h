// Two small Data Save dialogs without their windows:
//   "Data Save Open Options" (dialog 160): how a Data Save file opens (0 open without importing, 1
//   import into a new database, 2 import into the current one) and, only for 2, whether a record of a
//   number already held is replaced by the file's ("Use Data Save file PLU, msg etc.");
//   "Specify Transmit Data" (dialog 169): the current database, or a Data Save file chosen after it.
#pragma once

#include <cstdint>

namespace varnel {

class DataSaveOpenOptionsForm {
public:
    enum Mode : std::uint16_t { OpenOnly = 0, ImportNew = 1, ImportCurrent = 2 };

    DataSaveOpenOptionsForm(std::uint16_t mode, bool overwrite) : m_mode(mode), m_overwrite(overwrite) {}

    std::uint16_t GetMode() const { return m_mode; }
    void SetMode(std::uint16_t mode) { m_mode = mode; }
    bool GetOverwrite() const { return m_overwrite; }
    void SetOverwrite(bool overwrite) { m_overwrite = overwrite; }
    bool IsOverwriteEnabled() const { return m_mode == ImportCurrent; }

private:
    std::uint16_t m_mode;
    bool m_overwrite;
};

class SpecifyTransmitDataForm {
public:
    enum class Choice { CurrentDatabase, DataSaveFile };

    Choice GetChoice() const { return m_choice; }
    void Choose(Choice choice) { m_choice = choice; }

private:
    Choice m_choice = Choice::CurrentDatabase;
};

}  // namespace varnel
