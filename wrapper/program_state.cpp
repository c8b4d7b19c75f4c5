#include "program_state.h"

#include "geometry_pipe_protocol.h"

ProgramState& Program()
{
    static ProgramState state{nullptr, kDefaultPipeName};
    return state;
}
