#include "host_session.h"

#include "host/host_view.h"

bool HostIsMetric()
{
    return host::IsMetric();
}

int HostVersionAnswer(int hostVersion)
{
    return host::AnswerVersion(hostVersion);
}
