// The game's windows on the headless toolkit with a virtual clock and every message recorded:
// the common ground of the fixtures that build the main window.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backend/headless/headless_backend.h"
#include "data/game_data.h"
#include "presentation/main_form.h"
#include "presentation/message.h"
#include "program/program.h"
#include "sys/clock.h"
#include "system/media.h"
#include "ui/toolkit.h"

class HeadlessGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    auto b = std::make_unique<ui::HeadlessBackend>();
    hb = b.get();
    ui::init(std::move(b));
    messages.clear();
    messageWindow().onWrite = [this](std::string_view t, bool) { messages.emplace_back(t); };
  }
  void TearDown() override {
    ResetProgramState();
    ui::shutdown();
  }

  sys::ScopedVirtualClock clk;
  ui::HeadlessBackend* hb = nullptr;
  std::vector<std::string> messages;
};
