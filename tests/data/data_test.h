// The fixture of the data tests: an empty game state and a fresh folder per test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "data/game_data.h"
#include "support/temp_dir.h"

class DataTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetGameData(); }
  void TearDown() override {
    ResetGameData();
    Hooks() = DataHooks{};
  }

  std::string path(const std::string& name) const { return temp_ / name; }
  void write(const std::string& name, const std::string& bytes) const { temp_.write(name, bytes); }
  std::string read(const std::string& name) const { return temp_.read(name); }

  std::string fixture(const std::string& name) const {
    std::ifstream in(std::filesystem::path(VORAK_FIXTURES) / "data" / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  testing_support::TempDir temp_;
  const std::filesystem::path& dir_ = temp_.path();
};
