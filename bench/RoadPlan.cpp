#include "RoadPlan.h"

#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/Decode.h"
#include "platform/fbapi/ParamParser.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"

namespace {

long long countOf(fb::Transaction &tr, const QString &sql, int firstJob)
{
    fb::Statement st;
    st.prepare(tr, sql);
    st.setParam(0, firstJob);
    st.openCursor(tr);
    long long n = 0;
    if (st.fetchNext())
        n = fb::decode(st.outputs()[0], st.row()).toLongLong();
    st.closeCursor();
    return n;
}

} // namespace

TRoadCounts ReadRoadCounts(const QString &database, int firstJob)
{
    fb::Attachment att;
    att.attach(database, fb::ConnectParams::fromLines({"user_name=SYSDBA", "lc_ctype=WIN1250"}));
    fb::Transaction tr(att, fb::Transaction::ReadOnly);
    TRoadCounts c;
    c.Finished = countOf(tr, QStringLiteral("select count(*) from ZAKAZKYD where c_int>=? and stav_zak=100"), firstJob);
    c.Calculations = countOf(tr, QStringLiteral("select count(*) from ZAKKALK where c_int>=?"), firstJob);
    c.DayPlan = countOf(tr, QStringLiteral("select count(*) from SPLAND where c_int>=?"), firstJob);
    c.Performances = countOf(tr, QStringLiteral("select count(*) from SVYKONY where c_int>=?"), firstJob);
    c.HandOvers = countOf(tr, QStringLiteral("select count(*) from SODVODY where c_int>=?"), firstJob);
    c.Notes = countOf(tr, QStringLiteral("select count(distinct c_dl) from EDLISTYD where c_int>=?"), firstJob);
    c.Invoiced = countOf(tr,
                         QStringLiteral("select count(*) from EDLISTY e where c_faktury>'' and exists(select * from "
                                        "EDLISTYD d where d.c_dl=e.c_dl and d.c_int>=?)"),
                         firstJob);
    tr.commit();
    att.detach();
    return c;
}
