// Gadget IDs of the export dialog and its layout resource. The dialog resource
// res/dialogs/10021.xml defines the gadgets under these IDs; never renumber.
#pragma once

#include <cstdint>

constexpr int32_t EXPORTDLG_RESOURCE = 10021;
constexpr int32_t EXPORTDLG_RENDERER_PATH = 1652;
constexpr int32_t EXPORTDLG_EXPORT = 1658;
constexpr int32_t EXPORTDLG_CANCEL = 1659;
constexpr int32_t EXPORTDLG_CHOOSE_DIR = 1666;

// The option gadgets, one per key of the settings file's last_settings section.
constexpr int32_t EXPORTDLG_EXPORTANDRUN = 1653;
constexpr int32_t EXPORTDLG_PRIORITY_ID = 1664;
constexpr int32_t EXPORTDLG_RENDERALPHA = 1690;
constexpr int32_t EXPORTDLG_NOGEOMETRY = 1692;
constexpr int32_t EXPORTDLG_CONSOLEMODE = 1695;
constexpr int32_t EXPORTDLG_STARTMASTER = 1697;
constexpr int32_t EXPORTDLG_PORT_NUMBER = 1699;
constexpr int32_t EXPORTDLG_RENDERCLAY = 1703;
constexpr int32_t EXPORTDLG_EXPORT_ANIMATION = 1706;
constexpr int32_t EXPORTDLG_EXPORT_ANIMATION_START = 1707;
constexpr int32_t EXPORTDLG_EXPORT_ANIMATION_END = 1708;
constexpr int32_t EXPORTDLG_EXPORT_ANIMATION_STATIC = 1709;
constexpr int32_t EXPORTDLG_SPECIFY_RENDER_OUTPUT = 1710;
constexpr int32_t EXPORTDLG_SEPERATE_MATS = 1711;
constexpr int32_t EXPORTDLG_SEPERATE_SETTINGS = 1712;

// Values of the priority chooser 1664: only below normal has a meaning of its own; any other
// value means normal priority.
constexpr int32_t EXPORTDLG_PRIORITY_BELOW_NORMAL = 1660;
constexpr int32_t EXPORTDLG_PRIORITY_NORMAL = 1661;
