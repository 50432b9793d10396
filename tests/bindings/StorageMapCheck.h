#pragma once

#include "cells/CellBinding.h"
#include "cells/CellBindingRegistry.h"
#include "image/ParameterBlockTable.h"

#include <span>
#include <string>
#include <vector>

// The storage map of the binding tables: where the rows that keep their
// value in the working image read and write it.
//
// - Every such row, with all labels of its run and all cell indexes of its
//   stride, lies inside one parameter block of the working layout. A row
//   with a stride serves CellStorage::indexCount indexes; without one it
//   must step through whole records of its block, one index a record.
// - No two rows write the same bit unless one of them carries
//   CellBinding::kSharedBits (two labels showing one setting).
//
// Returns one line per fault, naming the rows and the bytes; none when the
// map is sound. A row's context value is only read: it must lie inside a
// block but may share bits with any row.
std::vector<std::string> storageMapFaults(std::span<const CellBinding *const> rows,
                                          std::span<const parameter_blocks::Block> blocks);

// Every row of a registry, each once, in label order.
std::vector<const CellBinding *> registryRows(const CellBindingRegistry &registry);
