#!/usr/bin/env python3
"""A DNS server on 127.0.0.1 for Quillon's tests and benchmarks.

Reads its rules as one line of JSON on standard input:

    {"names": {"NAME": RULE, ...}}

where a RULE is {"answer": KIND, "ns": [HOST, ...], "a": "IPv4", "aaaa": "IPv6", "delay": SECONDS}
and KIND one of
    delegated   NS records of the name in the answer; its A and AAAA records when given
    referral    what a parent zone's server answers: no answer, the name's NS records in the
                authority section
    nodata      the name exists without records of the type asked (SOA of the parent)
    parent-ns   a broken answer: NS records of the parent zone, not of the name
    nxdomain    no such name (names without a rule get this answer)
    servfail    the server failed
    silent      no answer at all
    truncated   the delegation, with the truncation flag set

Prints the UDP port it listens on, appends "NAME TYPE" for each question to LOG-FILE, and
answers until its standard input closes.

    dns-test-server.py LOG-FILE
"""

import json
import os
import socket
import sys
import threading

from dnslib import AAAA, NS, QTYPE, RCODE, RR, SOA, A, DNSRecord

TTL = 3600


def parent_of(name):
    return name.split(".", 1)[1] if "." in name else "."


def soa_of(zone):
    return RR(zone, QTYPE.SOA, ttl=TTL,
              rdata=SOA("a.nic." + zone, "hostmaster.nic." + zone, (1, 3600, 600, 86400, 300)))


def name_servers(owner, hosts):
    return [RR(owner, QTYPE.NS, ttl=TTL, rdata=NS(host)) for host in hosts]


def address_records(name, qtype, rule):
    if qtype == "A" and rule.get("a"):
        return [RR(name, QTYPE.A, ttl=TTL, rdata=A(rule["a"]))]
    if qtype == "AAAA" and rule.get("aaaa"):
        return [RR(name, QTYPE.AAAA, ttl=TTL, rdata=AAAA(rule["aaaa"]))]
    return []


def answer(request, rule):
    """The reply to one question, or None to stay silent."""
    name = str(request.q.qname).rstrip(".").lower()
    qtype = QTYPE.get(request.q.qtype)
    kind = rule.get("answer", "nxdomain")
    hosts = rule.get("ns", [])
    reply = request.reply()
    if kind == "silent":
        return None
    if kind == "servfail":
        reply.header.rcode = RCODE.SERVFAIL
    elif kind == "nxdomain":
        reply.header.rcode = RCODE.NXDOMAIN
        reply.add_auth(soa_of(parent_of(name)))
    elif kind == "nodata":
        reply.add_auth(soa_of(parent_of(name)))
    elif kind == "parent-ns":
        if qtype == "NS":
            for record in name_servers(parent_of(name), hosts):
                reply.add_answer(record)
    elif kind == "referral":
        reply.header.aa = 0
        for record in name_servers(name, hosts):
            reply.add_auth(record)
    elif kind in ("delegated", "truncated"):
        records = name_servers(name, hosts) if qtype == "NS" else []
        for record in records + address_records(name, qtype, rule):
            reply.add_answer(record)
        reply.header.tc = 1 if kind == "truncated" else 0
    return reply


def serve(sock, rules, log):
    while True:
        data, client = sock.recvfrom(4096)
        try:
            request = DNSRecord.parse(data)
        except Exception:  # not a DNS message: ignored, as a server would
            continue
        name = str(request.q.qname).rstrip(".").lower()
        log.write("%s %s\n" % (name, QTYPE.get(request.q.qtype)))
        log.flush()
        rule = rules.get(name, {})
        reply = answer(request, rule)
        if reply is None:
            continue
        payload = reply.pack()
        delay = float(rule.get("delay", 0))
        if delay > 0:
            threading.Timer(delay, sock.sendto, (payload, client)).start()
        else:
            sock.sendto(payload, client)


def main():
    rules = {name.lower(): rule
             for name, rule in json.loads(sys.stdin.readline()).get("names", {}).items()}
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind(("127.0.0.1", 0))
    with open(sys.argv[1], "a", encoding="utf-8") as log:
        threading.Thread(target=serve, args=(sock, rules, log), daemon=True).start()
        print(sock.getsockname()[1], flush=True)
        sys.stdin.read()  # until the test closes the pipe, or ends without closing it
    os._exit(0)


if __name__ == "__main__":
    main()
