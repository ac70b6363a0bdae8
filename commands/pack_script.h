// The renderer's material packer, started through the same script file as the renderer: packing a
// material file (.zvm) into a packed archive (.pzvm) and unpacking an archive into a directory.
#pragma once

#include "plugin/host/filename.h"

#include <string>

// The three lines of the pack script, the last one without a line feed:
//   @echo off
//   cd /d "R"
//   start zarvex_console.exe --pack "A" "B"        (or --unpack; each quoted path then a blank)
// R is the renderer directory (empty when the settings file has none). False, with the console
// line in `refusal`, when a path cannot be written (batch_script.h).
bool packScriptText(const HostFilename& rendererDirectory, bool pack, const HostFilename& first,
                    const HostFilename& second, std::string& text, std::string& refusal);

// Writes the pack script into presetsDirectory() + "zarvex_run.cmd", replacing the render
// script; the renderer directory is read without asking for it. Returns the script's file, or
// empty when the script was refused or could not be written (a console line says why).
HostFilename writePackScript(bool pack, const HostFilename& first, const HostFilename& second);

// Starts the packer on `materialFile` (.zvm), writing `archiveFile` (.pzvm). The packer runs on
// its own; true when it was handed to the host.
bool packMaterialFile(const HostFilename& materialFile, const HostFilename& archiveFile);

// Starts the packer extracting `archiveFile` into `targetDirectory`, waits 3000 ms (host sleep)
// and returns the first entry of the directory listing whose suffix is "zvm", as target
// directory + entry name. Empty when nothing was started or no such file is there (yet).
HostFilename unpackMaterialArchive(const HostFilename& archiveFile,
                                   const HostFilename& targetDirectory);
