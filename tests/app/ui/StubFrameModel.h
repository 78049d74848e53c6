// A main frame for window tests: fixed answers the test sets, and what the windows handed back.
#pragma once

#include "app/FrameModel.h"

#include <optional>
#include <string>

namespace varnel::test {

class StubFrameModel final : public IFrameModel {
public:
    RunMode GetRunMode() const override { return m_mode; }
    int GetMainToolBar(int) const override { return m_toolBar; }
    std::string GetCommsStatusText() const override { return m_commsStatus; }
    std::string GetFrameTitle(const IFrameDocument* active) const override
    {
        return active != nullptr ? "Varnel - Shop" : "Varnel";
    }
    RestoredPlacement GetRestoredPlacement() const override { return m_restored; }
    void SaveOnClose(const ClosingPlacement& placement) override
    {
        m_saved = placement;
        ++m_saves;
    }
    IFrameDocument* GetFrameDocument() const override { return m_document; }
    const CUserSetupList* GetUsers() const override { return nullptr; }
    std::string GetDataSourceName() const override { return "Shop"; }
    std::string GetSchedulePath() const override { return "/home/u/day.sch"; }
    int GetMarket() const override { return 0; }
    std::pair<int, int> GetSearchWindowSize() const override { return m_searchSize; }
    void SetSearchWindowSize(int width, int height) override { m_searchSize = {width, height}; }
    void OnDataSaveReceived() override { ++m_dataSaveReceived; }

    RunMode m_mode = RunMode::Normal;
    int m_toolBar = 239;
    std::string m_commsStatus = "Scale Comms: Off-Line";
    RestoredPlacement m_restored{{20, 30, 620, 530}, ShowCommand::Normal, false, true, true};
    IFrameDocument* m_document = nullptr;
    std::pair<int, int> m_searchSize{0, 0};
    std::optional<ClosingPlacement> m_saved;
    int m_saves = 0;
    int m_dataSaveReceived = 0;
};

}  // namespace varnel::test
